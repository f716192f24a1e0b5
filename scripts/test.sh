#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
# Usage: scripts/test.sh [PRESET]   (dev by default; asan for the sanitizer build)
# Under CI (CI=true) compiler warnings are errors.
# The tests run with a fresh, empty home folder and no XDG folders set: every test keeps what it writes in
# folders of its own, and the run fails when anything appears in that home.
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
home="$(mktemp -d)"
status=0
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME -u XDG_CACHE_HOME -u XDG_RUNTIME_DIR HOME="$home" \
    ctest --preset "$preset" -j "$(nproc)" || status=$?
if [ -n "$(ls -A "$home")" ]; then
    echo "The tests wrote into the home folder $home:" >&2
    find "$home" -mindepth 1 | head -n 20 >&2
    exit 1
fi
rmdir "$home"
exit "$status"
