#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# each from its seed corpus for a bounded time: scripts/fuzz.sh [SECONDS]
# Fails on any finding or any target that ends with a status but 0 (see
# scripts/run_fuzzers.sh); a crashing input is left in build-fuzz/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
bash scripts/setup.sh --core clang libclang-rt-14-dev
. scripts/steps.sh
step "Configuring build-fuzz/" "delete build-fuzz/ and run this again" \
    cmake -S . -B build-fuzz -G Ninja -DLOFTYPE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOFTYPE_WERROR=ON
step "Building the fuzz targets (about a minute)" "the first error is above" cmake --build build-fuzz
exec bash scripts/run_fuzzers.sh build-fuzz "$seconds" engine numbers file_name figfont
