# Runs the steps of a long check one after another, each to its end, and sums them
# up: a failed step does not hide the ones after it, and the end of the run names
# every step that failed with the last lines it printed, so a failure can be read
# at a glance. Source it, run `check NAME COMMAND...` for each step, then
# `report_checks`, which fails when a step failed.
checks_logs=$(mktemp -d)
checks_run=0
failed_checks=()
failed_logs=()

check() { # check NAME COMMAND...
    checks_run=$((checks_run + 1))
    local log="$checks_logs/$checks_run.log"
    local start=$SECONDS
    local status=0
    echo "== $1"
    # The step's own status, from PIPESTATUS, not tee's: a failed step fails whether
    # or not the caller set pipefail. The "|| true" keeps a caller's set -e (with
    # pipefail) from ending the run here.
    { "${@:2}" 2>&1 | tee "$log"; status=${PIPESTATUS[0]}; } || true
    if [ "$status" -ne 0 ]; then
        failed_checks+=("$1")
        failed_logs+=("$log")
        echo "== $1: failed with status $status, $((SECONDS - start)) s"
    else
        echo "== $1: $((SECONDS - start)) s"
    fi
}

report_checks() {
    local i
    for i in "${!failed_checks[@]}"; do
        echo
        echo "==== FAILED: ${failed_checks[$i]}; its last lines:"
        tail -n 30 "${failed_logs[$i]}"
    done
    if [ ${#failed_checks[@]} -gt 0 ]; then
        echo
        printf 'failed: %s\n' "${failed_checks[@]}"
        return 1
    fi
    rm -rf "$checks_logs"
}
