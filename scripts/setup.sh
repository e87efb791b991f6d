#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, when it is missing:
# scripts/setup.sh [--core] [PACKAGE ...]: --core takes only what the toolkit-free
# core and h8 need; the packages named are installed too, for one step (packaging,
# for instance) that alone needs them.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev) # build, tests, benchmarks
packages+=(zlib1g-dev figlet toilet-fonts) # zipped FIGfonts; the FIGfont tests' oracle and fonts
if [ "${1:-}" = "--core" ]; then
    shift
else
    packages+=(
        qt6-base-dev fonts-liberation            # windows; Courier New's stand-in
        xvfb xauth xdotool xclip openbox         # the program under a real X server
        dbus at-spi2-core python3-pyatspi        # what a screen reader gets from it
    )
fi
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Install them as root with: apt-get install ${missing[*]}" >&2
    exit 1
fi
. "$(dirname "$0")/steps.sh"
step "Reading Debian's package lists (under a minute)" \
    "check the network and the sources in /etc/apt, then run this again" \
    bash "$(dirname "$0")/apt_update.sh"
step "Installing ${missing[*]} (some minutes the first time; the Qt and browser packages are the largest)" \
    "check the network and the disk space, or run apt-get install ${missing[*]} as root to see more" \
    env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
