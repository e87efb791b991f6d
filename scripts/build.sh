#!/usr/bin/env bash
# Configures and builds the project: scripts/build.sh [--sanitize | --core | --aarch64]
# Builds into build/ (build-sanitize/ with AddressSanitizer and UBSan; build-core/ the
# toolkit-free core and h8 alone, as on a machine without Qt; build-aarch64/ the same
# cross-built for 64-bit ARM Linux, whose tests run under qemu-aarch64).
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
if [ "$mode" = --core ]; then
    bash scripts/setup.sh --core
elif [ "$mode" = --aarch64 ]; then
    bash scripts/setup.sh --core g++-aarch64-linux-gnu qemu-user
else
    bash scripts/setup.sh
fi

dir=build
minutes=5
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOFTYPE_WERROR=ON)
case "$mode" in
    --sanitize)
        dir=build-sanitize
        minutes=6
        flags=(-DCMAKE_BUILD_TYPE=Debug -DLOFTYPE_WERROR=ON -DLOFTYPE_SANITIZE=ON -DLOFTYPE_BENCH=OFF) ;;
    --core)
        dir=build-core
        minutes=1
        flags+=(-DLOFTYPE_GUI=OFF -DLOFTYPE_BENCH=OFF) ;;
    --aarch64)
        dir=build-aarch64
        minutes=2
        # -Wno-dev: GoogleTest, built from source here, warns of its own CMake policies.
        flags+=(-DLOFTYPE_GUI=OFF -DLOFTYPE_BENCH=OFF -Wno-dev
                -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake") ;;
esac
. scripts/steps.sh
step "Configuring $dir/" "delete $dir/ and run this again; the log shows what CMake missed" \
    cmake -S . -B "$dir" -G Ninja "${flags[@]}"
step "Building $dir/ (about $minutes min on two cores the first time, seconds after)" \
    "the first error is above; cmake --build $dir shows the whole build again" \
    cmake --build "$dir"
