#!/usr/bin/env bash
# Builds and runs every test: scripts/test.sh [--sanitize | --core]
# --core: the toolkit-free core and h8 only, built and tested without Qt. Without
# either, the web page and its module are built and tested too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
case "${1:-}" in
    --sanitize) dir=build-sanitize ;;
    --core) dir=build-core ;;
    *) dir=build ;;
esac
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure --timeout 600
[ -n "${1:-}" ] || bash scripts/web_test.sh
