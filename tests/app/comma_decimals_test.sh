#!/usr/bin/env bash
# The Options dialog in a language that writes decimals with a comma: the real
# program under Xvfb with LANG=de_DE.UTF-8, "2,5" and then "3,5" typed as the spaces
# after each character. Rounded half to even they are 2 and 4, so each Save must
# give the bytes of h8 --save with -s 2 and -s 4.
# Usage: comma_decimals_test.sh LOFTYPE H8
set -euo pipefail
loftype=$1 h8=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/program" "$work/tool"
(cd "$work/tool" && "$h8" --save -q -s 2 A && "$h8" --save -q -s 4 AB)

export ASAN_OPTIONS=detect_leaks=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$loftype" "$work" \
    "$(dirname "$0")/x_session.sh" <<'SCRIPT'
set -euo pipefail
loftype=$1 work=$2
. "$3"
cd "$work/program"
start_window_manager
unset QT_QPA_PLATFORM LC_ALL LC_NUMERIC
LANG=de_DE.UTF-8 "$loftype" &
program=$!
main=$(find_window '^Input$')
# set_spaces TEXT: Options, the spaces after each character, OK by Enter.
set_spaces() {
    activate "$main"
    xdotool key --delay 150 alt+o o
    activate "$(find_window '^Options\.\.\.$')"
    xdotool key --delay 60 ctrl+a
    xdotool type --delay 60 "$1"
    xdotool key --delay 60 Return
}
save() { # save TYPED FILE-LINE
    activate "$main"
    xdotool type --delay 40 "$1"
    xdotool key --delay 150 alt+t a
    wait_for_file "Files/$2.txt"
}
set_spaces 2,5
save A A
set_spaces 3,5
save B AB
exit_from_menu "$main" "$program" loftype
SCRIPT

for line in A AB; do
    cmp "$work/tool/Files/$line.txt" "$work/program/Files/$line.txt"
done
echo "Options read 2,5 and 3,5 as 2 and 4 under a comma-decimal language"
