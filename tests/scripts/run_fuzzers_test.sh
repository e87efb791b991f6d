#!/usr/bin/env bash
# scripts/run_fuzzers.sh with stand-in fuzz targets: a finding left by an earlier run
# does not fail a clean one, and a target that ends with a status but 0 (here at its
# start, before any fuzzing) fails the run, named with the end of its log.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
mkdir -p "$build/fuzz" "$build/findings/clean"
printf '#!/bin/sh\necho "Done 1000 runs in 1 second(s)"\n' >"$build/fuzz/clean_fuzz"
printf '#!/bin/sh\necho "initialising"\nexit 3\n' >"$build/fuzz/broken_fuzz"
chmod +x "$build/fuzz/"*
touch "$build/findings/clean/crash-from-an-earlier-run"
fail() { echo "run_fuzzers: $*" >&2; exit 1; }

bash "$root/scripts/run_fuzzers.sh" "$build" 1 clean >/dev/null 2>&1 ||
    fail "a finding of an earlier run failed a clean run"
[ -z "$(ls -A "$build/findings/clean")" ] || fail "the earlier finding was kept"

status=0
errors=$(bash "$root/scripts/run_fuzzers.sh" "$build" 1 broken clean 2>&1 >/dev/null) || status=$?
[ "$status" -ne 0 ] || fail "a target that ended with status 3 passed"
grep -q "fuzzing broken failed with status 3" <<<"$errors" || fail "the target is not named: $errors"
grep -q "initialising" <<<"$errors" || fail "the end of its log is not shown: $errors"
echo "run_fuzzers: stale findings are cleared, a failing target fails the run"
