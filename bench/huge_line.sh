#!/usr/bin/env bash
# Show of a line far beyond the 16-bit limits: how fast h8 refuses it and how much
# memory it takes doing so (median time and peak of RUNS runs), and that a still
# longer line under a 2 GB address-space limit gets the clean message, not an abort.
# bash bench/huge_line.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
bash scripts/build.sh >/dev/null
h8=$PWD/build/cli/h8
lines=$(mktemp -d)
trap 'rm -rf "$lines"' EXIT
head -c 4000000 /dev/zero | tr '\0' A >"$lines/4M"
head -c 12000000 /dev/zero | tr '\0' A >"$lines/12M"

: >"$lines/runs"
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    kb=$({ /usr/bin/time -f %M "$h8" --show <"$lines/4M" 2>&1 >/dev/null || true; } | tail -n1)
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $kb" >>"$lines/runs"
done
median_us=$(cut -d' ' -f1 "$lines/runs" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
peak_kb=$(cut -d' ' -f2 "$lines/runs" | sort -n | tail -n1)
printf 'h8 --show of 4,000,000 capitals: %.1f ms median of %d runs, peak %.1f MB\n' \
    "$(awk "BEGIN { print $median_us / 1000 }")" "$runs" "$(awk "BEGIN { print $peak_kb / 1024 }")"

status=0
message=$( (ulimit -v 2097152 && "$h8" --show -s 12 <"$lines/12M" 2>&1 >/dev/null)) || status=$?
echo "h8 --show -s 12 of 12,000,000 capitals under a 2 GB limit: exit $status, \"$message\""
