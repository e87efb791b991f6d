#!/usr/bin/env bash
# The shared functions of the scripts: step shows each kind of warning once, and an
# interrupt or TERM stops its command and then the script, which runs its EXIT trap;
# check (scripts/checks.sh) fails a failed step when the caller has no pipefail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work # the logs of failed steps and checks stay in here
unset LOFTYPE_QUIET
fail() { echo "steps: $*" >&2; exit 1; }

# Warnings: a compiler's (twice, shown once), a linker's, CMake's with its text,
# apt's, and a plain one; the other lines are not shown.
printf '%s\n' 'CMake Warning at CMakeLists.txt:3 (message):' '  the text of it' '' \
    'CMake Deprecation Warning at CMakeLists.txt:1 (cmake_minimum_required):' \
    '  old policies' '-- Configuring done' \
    'src/a.cpp:12:5: warning: unused variable [-Wunused-variable]' '   12 |   int x;' \
    'src/a.cpp:12:5: warning: unused variable [-Wunused-variable]' \
    '/usr/bin/ld: warning: a linker warning' 'W: an apt warning' 'warning: a plain one' \
    'an ordinary line' >"$work/output"
shown=$(bash -c '. "$1/scripts/steps.sh"; step "Warning" "-" cat "$2"' _ "$root" "$work/output" 2>&1)
expected='loftype: Warning ...
loftype: CMake Warning at CMakeLists.txt:3 (message):
loftype:   the text of it
loftype: CMake Deprecation Warning at CMakeLists.txt:1 (cmake_minimum_required):
loftype:   old policies
loftype: src/a.cpp:12:5: warning: unused variable [-Wunused-variable]
loftype: /usr/bin/ld: warning: a linker warning
loftype: W: an apt warning
loftype: warning: a plain one'
[ "$(grep -v ': done in ' <<<"$shown")" = "$expected" ] || fail "the warnings shown: $shown"

# Without pipefail, a failed check fails the report, and the checks after it run.
status=0
report=$(bash -c 'set -eu; . "$1/scripts/checks.sh"
    check "failing" sh -c "echo its output; exit 4"; check "passing" true
    report_checks' _ "$root" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "a failed check gave status $status: $report"
grep -q '^failed: failing$' <<<"$report" || fail "the failed check is not named: $report"
grep -q '^== passing: ' <<<"$report" || fail "the check after the failed one did not run"

# An interrupt or TERM to a script in a step. perl starts the script with the
# signal's default action: a shell's background job would have INT ignored.
cat >"$work/script.sh" <<EOF
set -euo pipefail
trap 'echo "exit trap ran" >"$work/exit"' EXIT
. "$root/scripts/steps.sh"
step "Waiting" "-" sh -c 'echo \$\$ >"$work/command"; exec sleep 300'
EOF
seconds_left() { [ $((deadline - SECONDS)) -gt 0 ]; }
kill_all() { kill -KILL -- "-$command" "$command" "$script" 2>/dev/null || true; } # on failure
traps_term() { # traps_term PID: whether process PID catches TERM
    local caught
    caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
    (( 0x${caught:-0} & 1 << 14 ))
}
for signal in INT TERM; do
    rm -f "$work/command" "$work/exit"
    perl -e '$SIG{INT} = $SIG{TERM} = "DEFAULT"; exec @ARGV or die' bash "$work/script.sh" &
    script=$!
    # Once the command has started and step has its TERM trap (set after the INT one;
    # bash catches TERM only when trapped), the signal goes to the script.
    deadline=$((SECONDS + 60))
    until [ -s "$work/command" ] && traps_term "$script"; do
        seconds_left || fail "the step did not start in 60 s"
        sleep 0.05
    done
    command=$(cat "$work/command")
    kill -"$signal" "$script"
    # The script ends well before its command's 300 s would have.
    deadline=$((SECONDS + 60))
    while kill -0 "$script" 2>/dev/null; do
        seconds_left || { kill_all; fail "SIG$signal: still running"; }
        sleep 0.05
    done
    status=0
    wait "$script" || status=$?
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: ended with status $status"
    [ -s "$work/exit" ] || fail "SIG$signal: the script's EXIT trap did not run"
    # The script waited for its command (sleep, in a process group of its own).
    ! kill -0 -- "-$command" 2>/dev/null || { kill_all; fail "SIG$signal: its command outlived it"; }
done
echo "steps: warnings shown once each, a failed check fails, INT and TERM stop a step's command"
