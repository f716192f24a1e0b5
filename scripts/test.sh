#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
# Usage: scripts/test.sh [PRESET]   (dev by default; asan for the sanitizer build)
# Under CI (CI=true) compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"

options=()
if [ "${CI:-}" = "true" ]; then
    options+=(-DLANESCOPE_WERROR=ON)
fi

bash scripts/install-deps.sh
cmake --preset "$preset" "${options[@]}"
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
