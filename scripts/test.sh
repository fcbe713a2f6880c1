#!/usr/bin/env bash
# Builds every preset and runs every test: the unit tests on this machine,
# again under the address and undefined-behaviour sanitizers, a short run of
# each fuzz target, and the end-to-end tests of the Windows program under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
for preset in host sanitize fuzz windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
for preset in host sanitize fuzz windows; do
    ctest --preset "$preset"
done
