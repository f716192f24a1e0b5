#!/usr/bin/env bash
# Installs what is missing, builds the viewer and opens a result file in it (the bundled sample meet by default).
# Usage: scripts/run.sh [FILE]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
file="$(realpath "${1:-$root/samples/autumn-open-2026.lef}")"
cd "$root"

bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target lanescope
exec ./build/dev/src/ui/lanescope "$file"
