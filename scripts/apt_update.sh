#!/usr/bin/env bash
# Reads Debian's package lists, tolerating a mirror caught mid-sync: a list that
# fails to download is retried a few times, and if it still fails the lists that
# were read are used, with a warning (a package missing from them fails later,
# naming the package). Run as root: scripts/apt_update.sh
set -uo pipefail
for attempt in 1 2 3; do
    status=0
    log=$(apt-get update -qq 2>&1) || status=$?
    if [ "$status" -eq 0 ] && ! grep -q '^E:' <<<"$log"; then
        exit 0
    fi
    reason=$(grep -m1 '^E:' <<<"$log" || tail -n 1 <<<"$log")
    echo "apt-get update, attempt $attempt, status $status: ${reason:-no message}" >&2
    [ "$attempt" -lt 3 ] && sleep $((attempt * 15))
done
echo "warning: some package lists could not be read; going on with the others. The last attempt said:" >&2
tail -n 10 <<<"$log" | sed 's/^/warning:   /' >&2
