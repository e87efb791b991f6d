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
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure --timeout 600
if [ -z "${1:-}" ]; then
    bash scripts/web_test.sh
    bash scripts/test.sh --aarch64
fi
