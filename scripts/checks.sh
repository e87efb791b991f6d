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
    echo "== $1"
    "${@:2}" 2>&1 | tee "$log" || { failed_checks+=("$1"); failed_logs+=("$log"); }
    echo "== $1: $((SECONDS - start)) s"
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
