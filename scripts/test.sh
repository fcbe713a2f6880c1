#!/usr/bin/env bash
# Builds both presets and runs every test: the unit tests on this machine and
# the end-to-end tests of the Windows program under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
for preset in host windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
ctest --preset host
ctest --preset windows
