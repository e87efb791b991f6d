#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh [--sanitize]
# Builds into build/ (build-sanitize/ with AddressSanitizer and UBSan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOFTYPE_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    flags=(-DCMAKE_BUILD_TYPE=Debug -DLOFTYPE_WERROR=ON -DLOFTYPE_SANITIZE=ON -DLOFTYPE_BENCH=OFF)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir"
