#!/usr/bin/env bash
# Standard input into a file: the processor time of h8 on 200,000 lines of "Hi" and on
# 2,000,000 empty lines, with no width given (output that is no terminal is not asked
# for its width at each line) and with -w -1 (no width to look up); the least of RUNS
# runs each. The two should cost the same. bash bench/input_lines.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
bash scripts/build.sh --core >/dev/null
h8=$PWD/build-core/cli/h8
input=$(mktemp -d)
trap 'rm -rf "$input"' EXIT
yes Hi | head -n 200000 >"$input/hi" || true
head -c 2000000 /dev/zero | tr '\0' '\n' >"$input/empty"

least() { # least INPUT OPTION...: the least processor time of the runs, in seconds
    local file=$1 best= run seconds
    shift
    for ((run = 0; run < runs; run++)); do
        /usr/bin/time -o "$input/time" -f '%U %S' "$h8" "$@" <"$file" >/dev/null
        seconds=$(awk '{ print $1 + $2 }' "$input/time")
        best=$(awk -v a="$seconds" -v b="${best:-$seconds}" 'BEGIN { print (a < b ? a : b) }')
    done
    echo "$best"
}
for name in hi empty; do
    looked=$(least "$input/$name" -q)
    given=$(least "$input/$name" -q -w -1)
    echo "$name lines: $looked s with no width given, $given s with -w -1 (least of $runs)"
done
