#!/usr/bin/env bash
# Installs the Debian packages Lanescope needs to build, run and test.
# Idempotent: when every package is present it does nothing at all.
# Usage: scripts/install-deps.sh [--packaging] [EXTRA-PACKAGE...]
#   --packaging     also the tools that build and check the Debian package and the desktop files
#   EXTRA-PACKAGE   further packages, e.g. the fuzzing compiler
set -euo pipefail

extra=()
if [ "${1:-}" = "--packaging" ]; then
    shift
    extra=(dpkg-dev file lintian desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
           bash-completion man-db)
fi
set -- "${extra[@]}" "$@"

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    # the second compiler: the sanitizer build, the fuzz harnesses and a build of everything use clang
    clang libclang-rt-14-dev
    librsvg2-bin
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
    libzip-dev zlib1g-dev libicu-dev libcurl4-openssl-dev libjpeg62-turbo-dev libgif-dev
    libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
    libharfbuzz-dev libfontconfig-dev libpng-dev
    libsqlite3-dev
    # the race and progression pictures as PNG: Pango lays out names of every script on cairo
    libpango1.0-dev
    xvfb xauth poppler-utils qpdf fonts-liberation2 fonts-dejavu-core
    libxml2-utils python3   # the converted real-world files are checked with xmllint and ElementTree
    # Chinese, Japanese and Korean letters in PDF reports (and the tests that check them).
    fonts-noto-cjk
    # headless browser: the tests open the HTML output and the website in it (standards mode, filter box)
    chromium
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
