#!/usr/bin/env bash
# Builds and runs every test: scripts/test.sh [--sanitize | --core | --aarch64]
# --core: the toolkit-free core and h8 only, built and tested without Qt; --aarch64:
# the same cross-built for 64-bit ARM, tested under qemu-aarch64. Without an option,
# the web page and its module and the ARM build are tested too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
case "${1:-}" in
    --sanitize) dir=build-sanitize ;;
    --core) dir=build-core ;;
    --aarch64) dir=build-aarch64 ;;
    *) dir=build ;;
esac
. scripts/steps.sh
export QT_QPA_PLATFORM=offscreen
say "Running the tests of $dir/, one line each (a few minutes; the window tests take longest)"
heartbeat "testing $dir/" ctest --test-dir "$dir" --output-on-failure --timeout 600 ||
    { echo "loftype: FAILED: tests of $dir/, named above; run one with ctest --test-dir $dir -R NAME -V" >&2; exit 1; }
if [ -z "${1:-}" ]; then
    bash scripts/web_test.sh
    bash scripts/test.sh --aarch64
fi
