#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh [--sanitize | --core]
# Builds into build/ (build-sanitize/ with AddressSanitizer and UBSan; build-core/ the
# toolkit-free core and h8 alone, as on a machine without Qt).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
if [ "$mode" = --core ]; then
    bash scripts/setup.sh --core
else
    bash scripts/setup.sh
fi

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOFTYPE_WERROR=ON)
case "$mode" in
    --sanitize)
        dir=build-sanitize
        flags=(-DCMAKE_BUILD_TYPE=Debug -DLOFTYPE_WERROR=ON -DLOFTYPE_SANITIZE=ON -DLOFTYPE_BENCH=OFF) ;;
    --core)
        dir=build-core
        flags+=(-DLOFTYPE_GUI=OFF -DLOFTYPE_BENCH=OFF) ;;
esac
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir"
