#!/usr/bin/env bash
# Runs the real program under Xvfb with a small window manager and saves pictures
# of its windows to docs/: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
if ! command -v import >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "Install imagemagick to take the pictures." >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick >/dev/null
fi
program="$PWD/build/app/loftype"
docs="$PWD/docs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$program" "$docs" "$work" \
    "$PWD/tests/app/x_session.sh" <<'SCRIPT'
set -euo pipefail
program=$1 docs=$2 work=$3
. "$4"
cd "$work"
start_window_manager
"$program" &
program_id=$!
main=$(find_window '^Input$')
snap() { # snap NAME WINDOW-TITLE-REGEX
    local window
    window=$(find_window "$2")
    sleep 0.5 # for the window to be painted
    import -frame -window "$window" "$docs/$1.png"
}
activate "$main"
xdotool type --delay 40 'Loftype 1.2!'
snap main '^Input$'
xdotool key alt+t h
snap display '^Loftype 1\.2!$'
activate "$main"
xdotool key alt+o o
snap options '^Options\.\.\.$'
activate "$main"
xdotool key alt+i a l
snap about '^About Loftype$'
exit_from_menu "$main" "$program_id" loftype

# The same program on a desktop with large fonts: a font DPI of 144, scaling off.
QT_FONT_DPI=144 QT_ENABLE_HIGHDPI_SCALING=0 "$program" &
program_id=$!
main=$(find_window '^Input$')
activate "$main"
xdotool type --delay 40 'Loftype 1.2!'
xdotool key alt+o o
find_window '^Options\.\.\.$' >/dev/null
activate "$main"
xdotool key alt+i i g
find_window '^General$' >/dev/null
sleep 0.5 # for the windows to be painted
import -window root "$docs/large-font.png"
exit_from_menu "$main" "$program_id" loftype
SCRIPT
echo "Pictures saved in docs/"
