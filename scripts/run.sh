#!/usr/bin/env bash
# Builds the project and shows the banner of a sample line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
build/cli/h8 "${@:-Hi there!}"
