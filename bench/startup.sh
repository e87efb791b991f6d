#!/usr/bin/env bash
# Start-up of loftype against a minimal Qt window program from the same build:
# wall time from process start to the main window shown (median of RUNS runs,
# alternating the two) and peak resident memory. bash bench/startup.sh [RUNS]
# PLATFORM=xcb runs them under Xvfb instead of the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
bash scripts/build.sh >/dev/null
probe=build/app/loftype_startup_probe
minimal=build/bench/minimal_window
export QT_QPA_PLATFORM=${PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

measure() { # measure PROGRAM: prints "milliseconds kilobytes"
    local start end kb
    start=$(date +%s%N)
    kb=$( { /usr/bin/time -f %M "$1" 2>&1 >/dev/null; } | tail -n1)
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $kb"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$probe" >/dev/null 2>&1; "$minimal" >/dev/null 2>&1 # warm the file cache
: > /tmp/startup-probe.txt; : > /tmp/startup-minimal.txt
for ((i = 0; i < runs; i++)); do
    measure "$probe" >> /tmp/startup-probe.txt
    measure "$minimal" >> /tmp/startup-minimal.txt
done
probe_us=$(cut -d' ' -f1 /tmp/startup-probe.txt | median)
minimal_us=$(cut -d' ' -f1 /tmp/startup-minimal.txt | median)
probe_kb=$(cut -d' ' -f2 /tmp/startup-probe.txt | sort -n | tail -n1)
minimal_kb=$(cut -d' ' -f2 /tmp/startup-minimal.txt | sort -n | tail -n1)
awk -v p="$probe_us" -v m="$minimal_us" -v pk="$probe_kb" -v mk="$minimal_kb" -v n="$runs" 'BEGIN {
    printf "start-up to the main window shown, median of %d runs (%s platform)\n", n, ENVIRON["QT_QPA_PLATFORM"]
    printf "  loftype         %7.1f ms   peak %6.1f MB\n", p / 1000, pk / 1024
    printf "  minimal window  %7.1f ms   peak %6.1f MB\n", m / 1000, mk / 1024
    printf "  ratio %.2f, memory %+.1f MB\n", p / m, (pk - mk) / 1024
}'
