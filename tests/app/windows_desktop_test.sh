#!/usr/bin/env bash
# loftype.exe under Wine as a person uses it, from the keyboard: a line typed,
# Save and Copy give the bytes h8 gives (Copy on the X clipboard, to which Wine
# hands the text with LF line ends), Show opens a window captioned with the line,
# lines that are device names or hold non-ASCII characters (pasted) are saved
# under the file-name rule, all in a folder so deep that their paths pass 260
# characters, and File > Exit ends the program with status 0. With
# PICTURE, a picture of the program and its Display is saved there.
# Usage: windows_desktop_test.sh LOFTYPE.EXE LINUX-H8 [PICTURE]
#   (with WINEPREFIX set, on an X display with a window manager)
set -euo pipefail
exe=$1 h8=$2 picture=${3:-}
. "$(dirname "$0")/x_session.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine starts no program in a folder whose path passes 260 characters: the program
# runs in one 240 characters long, and the paths of the files it saves pass 260.
program_folder=$work/program/
program_folder+=$(printf 'f%.0s' $(seq $((240 - ${#program_folder}))))
mkdir -p "$program_folder" "$work/tool"

line='Hi, Windows (h8)!'
names=(CON nul COM1.txt LPT9 'Ωmega' 'café')
(cd "$work/tool" && "$h8" -q -- "$line" | tr -d '\r' >expected-copy.txt &&
    for text in "$line" "${names[@]}"; do "$h8" --save -q -- "$text"; done)

cd "$program_folder"
wine "$exe" &
program=$!
main=$(find_window '^Input$')
type_save_copy_show "$main" "$line"
clipboard_equals "$work/tool/expected-copy.txt"
find_window '^Hi, Windows \(h8\)!$' >/dev/null
if [ -n "$picture" ]; then
    sleep 1 # for the Display to be painted: the picture is no part of the check
    import -window root -trim +repage "$picture"
fi
activate "$main"
for text in "${names[@]}"; do
    printf '%s' "$text" >pasted.txt
    # xclip stays behind to serve the clipboard: not on this check's output, which
    # would then never end.
    xclip -selection clipboard pasted.txt >/dev/null 2>&1
    clipboard_equals pasted.txt
    xdotool key --delay 150 ctrl+a ctrl+v alt+t a
done
wait_for_file "Files/café.txt"
exit_from_menu "$main" "$program" loftype.exe
diff -r "$work/tool/Files" Files
echo "loftype.exe saved, copied and showed what h8 gives, and ended with status 0"
