#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# each from its seed corpus for a bounded time: scripts/fuzz.sh [SECONDS]
# Fails on any finding; a crashing input is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
missing=()
for package in clang libclang-rt-14-dev cmake ninja-build; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    [ "$(id -u)" -eq 0 ] || { echo "Install as root: apt-get install ${missing[*]}" >&2; exit 1; }
    bash scripts/apt_update.sh
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
cmake -S . -B build-fuzz -G Ninja -DLOFTYPE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOFTYPE_WERROR=ON >/dev/null
cmake --build build-fuzz
mkdir -p build-fuzz/findings
for target in engine numbers file_name; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== fuzzing $target for ${seconds}s"
    build-fuzz/fuzz/${target}_fuzz -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=4096 \
        -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$corpus" fuzz/corpus/$target \
        2>&1 | grep -E '^(#[0-9]+ +DONE|==|SUMMARY|stat::number_of_executed_units|Done)' || true
    if ls build-fuzz/findings/* >/dev/null 2>&1; then
        echo "fuzzing $target found a fault: build-fuzz/findings/" >&2
        exit 1
    fi
done
