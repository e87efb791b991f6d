#!/usr/bin/env bash
# Reads Debian's package lists, tolerating a mirror caught mid-sync: a list that
# fails to download is retried a few times, and if it still fails the lists that
# were read are used, with a warning (a package missing from them fails later,
# naming the package). Run as root: scripts/apt_update.sh
set -uo pipefail
for attempt in 1 2 3; do
    log=$(apt-get update -qq 2>&1)
    if ! grep -q '^E:' <<<"$log"; then
        exit 0
    fi
    echo "apt-get update, attempt $attempt: $(grep -m1 '^E:' <<<"$log")" >&2
    [ "$attempt" -lt 3 ] && sleep $((attempt * 15))
done
echo "warning: some package lists could not be read; going on with the others" >&2
