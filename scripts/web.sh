#!/usr/bin/env bash
# Builds the web page and the npm package: the toolkit-free core compiled to
# WebAssembly, carried with its style and scripts in one self-contained
# build-wasm/web/loftype.html, and inlined in the package build-wasm/loftype-VERSION.tgz.
# Prints "package: PATH", then, last, "page: PATH".
set -euo pipefail
cd "$(dirname "$0")/.."
# clang 14 for wasm32-wasi with its C and C++ libraries; binaryen's wasm-opt, which
# clang runs on the module when it finds it (a module about a tenth smaller); npm to
# pack the package (Node and npm from Debian where the machine has none).
packages=(clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
    libclang-rt-14-dev-wasm32 binaryen)
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
bash scripts/setup.sh --core "${packages[@]}"
. scripts/steps.sh
step "Configuring build-wasm/" "delete build-wasm/ and run this again" cmake --preset wasm
step "Building the WebAssembly module, the web page and the package into build-wasm/ (about a minute the first time)" \
    "the first error is above; cmake --build --preset wasm shows the whole build again" \
    cmake --build --preset wasm
tarball=$(npm pack ./build-wasm/web/npm --pack-destination build-wasm --silent --loglevel=error | tail -n 1)
echo "package: $PWD/build-wasm/$tarball"
echo "page: $PWD/build-wasm/web/loftype.html"
