#!/usr/bin/env bash
# Builds the web page: the toolkit-free core compiled to WebAssembly and carried,
# with its style and scripts, in one self-contained build-wasm/web/loftype.html. Ends
# by printing "page: PATH".
set -euo pipefail
cd "$(dirname "$0")/.."
# clang 14 for wasm32-wasi with its C and C++ libraries; binaryen's wasm-opt, which
# clang runs on the module when it finds it (a module about a tenth smaller).
bash scripts/setup.sh --core clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 \
    libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 binaryen
cmake --preset wasm >/dev/null
cmake --build --preset wasm
echo "page: $PWD/build-wasm/web/loftype.html"
