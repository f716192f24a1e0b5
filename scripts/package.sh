#!/usr/bin/env bash
# Builds the Debian package from a built tree (default build/dev, as scripts/test.sh leaves it), unpacks it
# into a temporary folder, runs the unpacked lanescope-cli on the sample meet and checks the package and its
# desktop files: desktop-file-validate, appstreamcli validate --no-net, lintian (errors fail; the rest is
# listed).
# Usage: scripts/package.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"

bash scripts/install-deps.sh --packaging
cmake --build "$build"
rm -f "$build"/lanescope_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lanescope_*.deb)
echo "built $deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/lanescope-cli" info samples/autumn-open-2026.lef
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
lintian --tag-display-limit 0 --fail-on error "$deb"
echo "package checked: $deb"
