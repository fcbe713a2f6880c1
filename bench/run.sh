#!/usr/bin/env bash
# Builds both presets and runs every benchmark beside its floor; prints the
# table. --smoke: tiny sizes, to keep the benchmarks building and running.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
for preset in host windows; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done
exec python3 bench/run.py "$@"
