#!/usr/bin/env bash
# loftype.exe under Wine as a person uses it, from the keyboard: a line typed,
# Save and Copy give the bytes h8 gives (Copy on the X clipboard, to which Wine
# hands the text with LF line ends), Show opens a window captioned with the line,
# lines that are device names or hold non-ASCII characters (pasted) are saved
# under the file-name rule, and File > Exit ends the program with status 0. With
# PICTURE, a picture of the program and its Display is saved there.
# Usage: windows_desktop_test.sh LOFTYPE.EXE LINUX-H8 [PICTURE]
#   (with WINEPREFIX set, on an X display with a window manager)
set -euo pipefail
exe=$1 h8=$2 picture=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/program" "$work/tool"

line='Hi, Windows (h8)!'
names=(CON nul COM1.txt LPT9 'Ωmega' 'café')
(cd "$work/tool" && "$h8" -q -- "$line" >expected-copy.txt &&
    for text in "$line" "${names[@]}"; do "$h8" --save -q -- "$text"; done)

cd "$work/program"
wine "$exe" &
program=$!
main=$(timeout 60 xdotool search --sync --name '^Input$' | head -n1)
xdotool windowactivate --sync "$main"
sleep 0.5
xdotool type --delay 40 "$line"
xdotool key --delay 200 alt+t a            # Text, Save
xdotool key --delay 200 alt+t c            # Text, Copy
sleep 0.5
xclip -selection clipboard -o >copied.txt
xdotool key --delay 200 alt+t h            # Text, Show
display=$(timeout 20 xdotool search --sync --name '^Hi, Windows \(h8\)!$' | head -n1)
if [ -n "$picture" ]; then
    sleep 1
    import -window root -trim +repage "$picture"
fi
xdotool windowactivate --sync "$main"
for text in "${names[@]}"; do
    printf '%s' "$text" | xclip -selection clipboard
    xdotool key --delay 150 ctrl+a ctrl+v alt+t a
done
sleep 0.5
xdotool key --delay 200 alt+f e            # File, Exit
status=0
timeout 20 tail --pid="$program" -f /dev/null || { echo "loftype.exe did not end"; kill "$program"; exit 1; }
wait "$program" || status=$?
[ "$status" -eq 0 ] || { echo "loftype.exe ended with status $status"; exit 1; }
[ -n "$display" ] || { echo "Show opened no window captioned with the line"; exit 1; }

# Wine hands the clipboard's text to X with the line ends of X, LF.
cmp <(tr -d '\r' <"$work/tool/expected-copy.txt") copied.txt
diff -r "$work/tool/Files" Files
echo "loftype.exe saved, copied and showed what h8 gives, and ended with status 0"
