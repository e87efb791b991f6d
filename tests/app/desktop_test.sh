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
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$loftype" "$line" "$work" \
    "$(dirname "$0")/x_session.sh" <<'SCRIPT'
set -euo pipefail
loftype=$1 line=$2 work=$3
. "$4"
cd "$work/program"
start_window_manager
unset QT_QPA_PLATFORM
"$loftype" &
program=$!
main=$(find_window '^Input$')
type_save_copy_show "$main" "$line"
clipboard_equals "$work/tool/expected-copy.txt"
find_window "desktop" >/dev/null           # the Display
activate "$main"
xdotool key --delay 150 alt+o o            # Options, Options...
find_window '^Options\.\.\.$' >/dev/null
xdotool type --delay 30 '7'                 # an edit never confirmed
activate "$main"
xdotool key --delay 150 alt+i a l          # Info, About, Loftype
find_window '^About Loftype$' >/dev/null
exit_from_menu "$main" "$program" loftype
SCRIPT

file="Files/$line.txt"
cmp "$work/tool/$file" "$work/program/$file"
echo "the desktop program saved and copied the same bytes as h8"
