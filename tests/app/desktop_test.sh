#!/usr/bin/env bash
# The whole program as a person uses it: the built loftype under Xvfb with a window
# manager, a line typed, the menus worked from the keyboard by their access keys.
# Save and Copy must give the very bytes that h8 gives for the line; Exit must end
# the program at once with status 0 while other windows are open. Without a display,
# or with one named that does not answer, it must say so and end with status 1.
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

# Without a display, and with one named that does not answer, the program says so in
# its one line, naming the program as it was started (found on PATH, as installed,
# or by its path), and ends with status 1.
free=77
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
mkdir "$work/bin"
ln -s "$loftype" "$work/bin/loftype"
for display in none ":$free"; do
    if [ "$display" = none ]; then
        setting=(-u DISPLAY PATH="$work/bin:$PATH") started=loftype
    else
        setting=("DISPLAY=$display") started=$loftype
    fi
    expected="loftype: there is no display to open the window on; run it on a desktop, or \
under a virtual display: xvfb-run $started"
    status=0
    said=$(cd "$work" && env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "${setting[@]}" "$started" 2>&1) ||
        status=$?
    if [ "$status" != 1 ] || [ "$said" != "$expected" ]; then
        echo "display $display: status $status, said: $said"
        exit 1
    fi
done
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
