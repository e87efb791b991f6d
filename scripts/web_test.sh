#!/usr/bin/env bash
# Builds the web page, the npm package and h8, then tests the module and the package
# under Node's test runner and the page and a bundle of the package in a headless
# Chromium, all against h8.
set -euo pipefail
cd "$(dirname "$0")/.."
package=$(bash scripts/web.sh | sed -n 's/^package: //p')
: "${package:?scripts/web.sh named no package}"
[ -x build/cli/h8 ] || bash scripts/build.sh --core >/dev/null
h8=$PWD/build/cli/h8
[ -x "$h8" ] || h8=$PWD/build-core/cli/h8

# Debian's Chromium, driven by playwright-core from the npm registry (no browser
# download); web.sh has installed Node and npm where the machine had none.
bash scripts/setup.sh --core chromium
. scripts/steps.sh
step "Installing the web tests' tools from npm (playwright-core, esbuild, TypeScript; under a minute)" \
    "check the network, or run npm ci --prefix tests/web to see more" \
    npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
say "Testing the module, the page and the package, one line per test (about a minute)"

export H8=$h8 LOFTYPE_WASM=$PWD/build-wasm/web/loftype.wasm LOFTYPE_PAGE=$PWD/build-wasm/web/loftype.html \
    LOFTYPE_PACKAGE=$package
heartbeat "testing the module, the page and the package" node --test tests/web/
