#!/usr/bin/env bash
# Runs a Windows test program under Wine: tests/support/under_wine.sh WINE PROGRAM ARGS...
# Rarely (once in some 5,000 starts seen, with two running at once) Wine ends a
# program before it runs at all: it fails at once and prints nothing. Such a
# start is made once more, and the run says so; a program that printed anything
# keeps its result, so a test that fails is never tried again.
wine=$1
shift
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$wine" "$@" >"$out" 2>"$err"
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
    echo "Wine ended $1 with status $status before it printed anything; starting it again" >&2
    rm -f "$out" "$err"
    trap - EXIT
    exec "$wine" "$@"
fi
cat "$out"
cat "$err" >&2
exit "$status"
