#!/usr/bin/env bash
# Builds and runs every test: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-sanitize
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure --timeout 600
