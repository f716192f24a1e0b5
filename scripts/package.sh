#!/usr/bin/env bash
# Builds the Debian package from a built tree (default build/dev, as scripts/test.sh leaves it), unpacks it
# into a temporary folder, runs the unpacked lanescope-cli on the sample meet and checks the package and its
# desktop files: desktop-file-validate, appstreamcli validate --no-net, lintian (errors fail; the rest is
# listed), and the hardening of every program in it (position-independent, read-only relocations bound at
# start, stack protector, fortified calls), read with readelf.
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

for program in "$root"/usr/bin/*; do
    headers="$(readelf -W -h -l -d "$program")"
    symbols="$(readelf -W --dyn-syms "$program")"
    missing=()
    grep -q 'Type:[[:space:]]*DYN' <<<"$headers" || missing+=(PIE)
    grep -q 'GNU_RELRO' <<<"$headers" || missing+=(RELRO)
    grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$headers" || missing+=(BIND_NOW)
    grep -q '__stack_chk_fail' <<<"$symbols" || missing+=(stack-protector)
    grep -Eq '__(mem|str|v?sn?printf|read|fd_|wmem)[a-z_]*_chk' <<<"$symbols" || missing+=(fortify)
    if [ ${#missing[@]} -gt 0 ]; then
        echo "$program lacks hardening: ${missing[*]}" >&2
        exit 1
    fi
    echo "hardened: $(basename "$program") (PIE, RELRO, BIND_NOW, stack protector, fortify)"
done
echo "package checked: $deb"
