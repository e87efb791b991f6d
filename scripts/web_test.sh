#!/usr/bin/env bash
# Builds the web page and h8, then tests the module under Node's test runner and the
# page in a headless Chromium, both against h8.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/web.sh >/dev/null
[ -x build/cli/h8 ] || bash scripts/build.sh --core >/dev/null
h8=$PWD/build/cli/h8
[ -x "$h8" ] || h8=$PWD/build-core/cli/h8

# Debian's Chromium, driven by playwright-core from the npm registry (no browser
# download); Node and npm from Debian where the machine has none.
packages=(chromium)
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
bash scripts/setup.sh --core "${packages[@]}"
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error >/dev/null

export H8=$h8 LOFTYPE_WASM=$PWD/build-wasm/web/loftype.wasm LOFTYPE_PAGE=$PWD/build-wasm/web/loftype.html
node --test tests/web/
