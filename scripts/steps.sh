# Progress of the set-up and build scripts, sourced by them.
#   say TEXT                  one line of progress on standard error
#   step WHAT HINT COMMAND... runs a long command with its output in a log: says what
#                             it is doing, every 15 s that it still is (with the log's
#                             last line), and how long it took; its warnings are shown.
#                             On failure it names the step, shows the log's first
#                             errors or its end, and what to try, and fails.
# LOFTYPE_QUIET=1 keeps the progress out of a log (failures and warnings stay).
say() {
    [ -n "${LOFTYPE_QUIET:-}" ] || echo "loftype: $*" >&2
}

step() { # step WHAT HINT COMMAND...
    local what=$1 hint=$2 name=${1%% (*}
    shift 2
    local log start=$SECONDS next=15 status=0 pid
    log=$(mktemp "${TMPDIR:-/tmp}/loftype-step.XXXXXX")
    say "$what ..."
    "$@" >"$log" 2>&1 &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.2
        if [ $((SECONDS - start)) -ge "$next" ] && kill -0 "$pid" 2>/dev/null; then
            say "  still at it, $((SECONDS - start)) s: $(tail -n 1 "$log" | cut -c1-100)"
            next=$((next + 15))
        fi
    done
    wait "$pid" || status=$?
    grep -i '^warning:' "$log" | sed 's/^/loftype: /' >&2 || true
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
