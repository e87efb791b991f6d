#!/usr/bin/env bash
# The whole program as a person uses it: the built loftype under Xvfb with a window
# manager, a line typed, the menus worked from the keyboard by their access keys.
# Save and Copy must give the very bytes that h8 gives for the line; Exit must end
# the program at once with status 0 while other windows are open.
# Usage: desktop_test.sh LOFTYPE H8
set -euo pipefail
loftype=$1 h8=$2
for tool in xvfb-run xdotool xclip openbox; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/setup.sh"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/program" "$work/tool"

line='Hi, desktop (h8)!'
(cd "$work/tool" && "$h8" --save -q -- "$line" && "$h8" --crlf -q -- "$line" > expected-copy.txt)

# Leaks in the toolkit's own start-up and shut-down are not this program's.
export ASAN_OPTIONS=detect_leaks=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$loftype" "$line" "$work" <<'SCRIPT'
set -euo pipefail
loftype=$1 line=$2 work=$3
cd "$work/program"
openbox >/dev/null 2>&1 &
sleep 1
unset QT_QPA_PLATFORM
"$loftype" &
program=$!
main=$(timeout 30 xdotool search --sync --name '^Input$' | head -n1)
xdotool windowactivate --sync "$main"
sleep 0.3
xdotool type --delay 30 "$line"
xdotool key --delay 150 alt+t a            # Text, Save
xdotool key --delay 150 alt+t c            # Text, Copy
sleep 0.5
xclip -selection clipboard -o > "$work/program/copied.txt"
xdotool key --delay 150 alt+t h            # Text, Show
timeout 10 xdotool search --sync --name "desktop" >/dev/null  # the Display
xdotool windowactivate --sync "$main"
xdotool key --delay 150 alt+o o            # Options, Options...
timeout 10 xdotool search --sync --name '^Options\.\.\.$' >/dev/null
xdotool type --delay 30 '7'                 # an edit never confirmed
xdotool windowactivate --sync "$main"
xdotool key --delay 150 alt+i a l          # Info, About, Loftype
timeout 10 xdotool search --sync --name '^About Loftype$' >/dev/null
xdotool windowactivate --sync "$main"
xdotool key --delay 150 alt+f e            # File, Exit
status=0
timeout 10 tail --pid="$program" -f /dev/null || { echo "loftype did not end"; kill "$program"; exit 1; }
wait "$program" || status=$?
[ "$status" -eq 0 ] || { echo "loftype ended with status $status"; exit 1; }
SCRIPT

file="Files/$line.txt"
cmp "$work/tool/$file" "$work/program/$file"
cmp "$work/tool/expected-copy.txt" "$work/program/copied.txt"
echo "the desktop program saved and copied the same bytes as h8"
