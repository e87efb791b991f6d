#!/usr/bin/env bash
# Runs a check several times in a row, each from a fresh clone of the committed
# HEAD, and reports every run's time and result, then the median and the slowest
# time: the measure of whether a check passes every time.
# Usage: scripts/repeat.sh RUNS COMMAND...   e.g. scripts/repeat.sh 10 bash scripts/windows.sh
set -uo pipefail
cd "$(dirname "$0")/.."
runs=$1
shift
logs=$(mktemp -d)
times=()
failures=0
for ((run = 1; run <= runs; run++)); do
    clone="$logs/clone"
    rm -rf "$clone"
    git clone -q . "$clone"
    start=$SECONDS
    (cd "$clone" && "$@") >"$logs/run-$run.log" 2>&1
    status=$?
    times+=($((SECONDS - start)))
    [ "$status" -eq 0 ] || failures=$((failures + 1))
    echo "run $run: ${times[-1]} s, status $status (log $logs/run-$run.log)"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "$((runs - failures)) of $runs passed; median ${sorted[$((runs / 2))]} s, slowest ${sorted[-1]} s"
[ "$failures" -eq 0 ]
