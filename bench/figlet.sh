#!/usr/bin/env bash
# h8 against FIGlet (Debian's figlet, installed here for this benchmark only), cat
# and the floor of a process (a static program that prints one line), whole
# processes in alternating pairs: bash bench/figlet.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-200}
if ! command -v figlet >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "Install as root: apt-get install figlet" >&2; exit 1; }
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq figlet >/dev/null
fi
bash scripts/build.sh >/dev/null
build/bench/whole_process "$rounds" "$PWD/build/cli/h8" "$(command -v figlet)" "$(command -v cat)" \
    "$PWD/build/bench/one_line"
