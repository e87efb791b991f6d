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

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$program" "$docs" "$work" <<'SCRIPT'
set -euo pipefail
program=$1 docs=$2 work=$3
cd "$work"
openbox >/dev/null 2>&1 &
sleep 1
"$program" &
main=$(xdotool search --sync --name '^Input$' | head -n1)
snap() { # snap NAME WINDOW-TITLE
    local window
    window=$(xdotool search --sync --name "^$2\$" | tail -n1)
    sleep 0.5
    import -frame -window "$window" "$docs/$1.png"
}
xdotool windowactivate --sync "$main"
xdotool type --delay 40 'Loftype 1.2!'
snap main Input
xdotool key alt+t h
snap display 'Loftype 1.2!'
xdotool windowactivate --sync "$main"
xdotool key alt+o o
snap options 'Options...'
xdotool windowactivate --sync "$main"
xdotool key alt+i a l
snap about 'About Loftype'
xdotool windowactivate --sync "$main"
xdotool key alt+f e
wait %2
SCRIPT
echo "Pictures saved in docs/"
