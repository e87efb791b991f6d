# Progress of the set-up and build scripts, sourced by them.
#   say TEXT                  one line of progress on standard error
#   step WHAT HINT COMMAND... runs a long command with its output in a log: says what
#                             it is doing, every 15 s that it still is (with the log's
#                             last line), and how long it took; its warnings are shown.
#                             On failure it names the step, shows the log's first
#                             errors or its end, and what to try, and fails. Ctrl-C
#                             or TERM stops the command too, then ends the script.
#   heartbeat WHAT COMMAND... runs a command whose output is its progress, such as a
#                             test runner's, and says every 20 s that WHAT goes on,
#                             so that a long test is not taken for a hang.
# LOFTYPE_QUIET=1 keeps the progress out of a log (failures and warnings stay).
say() {
    [ -n "${LOFTYPE_QUIET:-}" ] || echo "loftype: $*" >&2
}

heartbeat() { # heartbeat WHAT COMMAND...
    local what=$1 start=$SECONDS status=0 beat script=$$
    shift
    # The beat ends with the command, or with the script if it is stopped first.
    (while sleep 20 && kill -0 "$script" 2>/dev/null; do say "  still $what, $((SECONDS - start)) s"; done) &
    beat=$!
    "$@" || status=$?
    kill "$beat" 2>/dev/null || true
    wait "$beat" 2>/dev/null || true
    return "$status"
}

step() { # step WHAT HINT COMMAND...
    local what=$1 hint=$2 name=${1%% (*}
    shift 2
    local log start=$SECONDS next=15 status=0 pid
    log=$(mktemp "${TMPDIR:-/tmp}/loftype-step.XXXXXX")
    say "$what ..."
    # The command runs in its own process group (set -m): a background job of a
    # script otherwise has SIGINT ignored and would outlive a Ctrl-C, holding build/
    # or the dpkg lock. Its input is /dev/null, as a script's background job has it,
    # so that it never stops to read the terminal.
    local monitor=$- traps
    traps=$(trap -p INT TERM)
    set -m
    "$@" </dev/null >"$log" 2>&1 &
    pid=$!
    [[ $monitor == *m* ]] || set +m
    # On INT or TERM the whole group gets the signal; once the command has ended,
    # the script ends by the same signal (status 130 for INT, 143 for TERM) and
    # runs its EXIT trap, so that a calling script stops as well. The caller's own
    # INT and TERM traps come back when the step ends.
    trap '_step_stop INT' INT
    trap '_step_stop TERM' TERM
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.2
        if [ $((SECONDS - start)) -ge "$next" ] && kill -0 "$pid" 2>/dev/null; then
            say "  still at it, $((SECONDS - start)) s: $(tail -n 1 "$log" | cut -c1-100)"
            next=$((next + 15))
        fi
    done
    wait "$pid" || status=$?
    trap - INT TERM
    eval "$traps"
    _step_warnings "$log" | sed 's/^/loftype: /' >&2
    if [ "$status" -ne 0 ]; then
        echo "loftype: FAILED: $name (status $status). From its log, $log:" >&2
        # A compiler's or ninja's first error, else the end of the log.
        if grep -q 'error:\|FAILED:\|^E:' "$log"; then
            grep -m 1 -A 30 'error:\|FAILED:\|^E:' "$log" >&2
        else
            tail -n 30 "$log" >&2
        fi
        echo "loftype: what to try: $hint" >&2
        return "$status"
    fi
    say "$name: done in $((SECONDS - start)) s"
    rm -f "$log"
}

_step_stop() { # _step_stop SIGNAL, from step's trap: stops the command, ends the script
    # pid, name and log are step's, which is running when its trap runs.
    # (Each "|| true" keeps a caller's set -e from ending the script before its time.)
    kill -"$1" -- "-$pid" 2>/dev/null || true
    # A second signal would cut wait short: wait again while the command runs.
    while kill -0 "$pid" 2>/dev/null; do wait "$pid" || true; done
    echo "loftype: $name: stopped by SIG$1; its log is $log" >&2
    trap - INT TERM
    kill -"$1" "$BASHPID"
    # Reached only when the shell ignores the signal, as it does when it started with
    # the signal ignored.
    case $1 in INT) exit 130 ;; *) exit 143 ;; esac
}

_step_warnings() { # _step_warnings LOG: the warnings in LOG, each once
    # A line that starts with "warning:" (any case), a compiler's or linker's
    # "FILE:LINE:COL: warning: ...", apt's "W: ...", and a CMake warning with the
    # indented lines of its text.
    awk '
        block != "" && /^  / { block = block "\n" $0; next }
        block != "" { if (!seen[block]++) print block; block = "" }
        /^CMake (Deprecation )?Warning/ { block = $0; next }
        tolower($0) ~ /^warning:|: warning:/ || /^W: / { if (!seen[$0]++) print }
        END { if (block != "" && !seen[block]++) print block }
    ' "$1"
}
