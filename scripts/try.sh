#!/usr/bin/env bash
# Builds Vantrelpad.exe and runs it under wine with the given arguments
# against the stand-in editor; prints what the editor received.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
exec python3 tests/e2e/try_vantrelpad.py --build-dir build/windows -- "$@"
