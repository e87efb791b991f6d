#!/usr/bin/env bash
# Runs fuzz targets one after another, each from its corpus for a bounded time:
# scripts/run_fuzzers.sh BUILD SECONDS TARGET...  (BUILD/fuzz/TARGET_fuzz are the
# programs). Each run starts with an empty BUILD/findings/; a target's crashing
# input goes to BUILD/findings/TARGET/. Fails, naming the target and showing the end
# of its log, when a target finds a fault or ends with any status but 0.
set -uo pipefail
build=$1 seconds=$2
shift 2
cd "$(dirname "$0")/.."
rm -rf "$build/findings"
mkdir -p "$build/logs"
failed=()
for target in "$@"; do
    corpus=$build/corpus/$target findings=$build/findings/$target/ log=$build/logs/$target.log
    mkdir -p "$corpus" "$findings"
    echo "== fuzzing $target for ${seconds}s"
    "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=4096 \
        -artifact_prefix="$findings" -print_final_stats=1 "$corpus" "fuzz/corpus/$target" \
        >"$log" 2>&1
    status=$?
    grep -E '^(#[0-9]+ +DONE|==|SUMMARY|stat::number_of_executed_units|Done)' "$log"
    if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
        echo "fuzzing $target failed with status $status; the end of $log:" >&2
        tail -n 30 "$log" >&2
        [ -z "$(ls -A "$findings")" ] || echo "its finding: $(ls -d "$findings"*)" >&2
        failed+=("$target")
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing failed: ${failed[*]}" >&2; exit 1; }
