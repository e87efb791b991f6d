#!/usr/bin/env bash
# Builds the project and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
. scripts/steps.sh
say "Starting build/app/loftype"
exec build/app/loftype
