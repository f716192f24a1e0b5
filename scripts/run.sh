#!/usr/bin/env bash
# Installs what is missing, builds and opens a result file (the bundled sample meet by default).
# Usage: scripts/run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
file="${1:-samples/autumn-open-2026.lef}"

bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target lanescope-cli
./build/dev/src/cli/lanescope-cli parse "$file"
