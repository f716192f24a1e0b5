#!/usr/bin/env bash
# Builds lanescope-screenshots and lanescope-cli and writes the pictures of docs/screenshots/: the main
# window (also at 800 x 600 and under a dark palette), the print dialogs (also in English), the language
# dialog, a list after a reload, the download dialog and the French first-start question, a Cyrillic list,
# and with the championship a final with splits at two window sizes, a filtered list and an athlete page
# (through lanescope-screenshots, under Xvfb when no display is set) and the relay report as HTML (through
# chromium, when installed) and as PDF (through pdftoppm); with the shared test data also the library page
# (lanescope-library-screenshots) and the first page of a printed club best list.
# Usage: scripts/screenshots.sh [OUTPUT-FOLDER]   (docs/screenshots by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs/screenshots}")"
cd "$root"

bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target lanescope-screenshots lanescope-library-screenshots lanescope-cli
mkdir -p "$out"

# The championship pictures need the real meet of the shared test data beside the repository.
pictures=(./build/dev/tools/screenshots/lanescope-screenshots "$out")
championship="$root/../shared/testdata/lenex3/world-sc-championships-2022.lef"
if [ -f "$championship" ]; then
    pictures+=("$root/samples/autumn-open-2026.lef" "$championship")
else
    echo "no shared test data: events-championship-rounds.png and list-status-codes.png are left as they are" >&2
fi
if [ -n "${DISPLAY:-}" ]; then
    "${pictures[@]}"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "${pictures[@]}"
fi

# The result report of the sample meet's first relay (event 7) with splits and names.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
meet="$root/samples/autumn-open-2026.lef"
./build/dev/src/cli/lanescope-cli export "$meet" --event 7 --splits --pdf "$work/relay.pdf"
pdftoppm -png -r 60 -singlefile "$work/relay.pdf" "$out/relay-report-pdf"
echo "$out/relay-report-pdf.png"
# The race picture of the championship's 1500 m women on a PDF page.
if [ -f "$championship" ]; then
    ./build/dev/src/cli/lanescope-cli chart "$championship" --event 33 --pdf "$work/race.pdf"
    pdftoppm -png -r 80 -singlefile "$work/race.pdf" "$out/race-picture-pdf"
    echo "$out/race-picture-pdf.png"
fi
./build/dev/src/cli/lanescope-cli export "$meet" --event 7 --splits --html "$work/relay.htm"
if command -v chromium >/dev/null; then
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$work/chromium" \
        --screenshot="$out/relay-report-html.png" --window-size=1000,900 "file://$work/relay.htm" 2>/dev/null
    echo "$out/relay-report-html.png"
else
    echo "chromium is not installed: relay-report-html.png is left as it is" >&2
fi

# The season library of the shared files: the page, and a club best list printed to PDF.
shared="$root/../shared/testdata"
if [ -d "$shared" ]; then
    library=(./build/dev/tools/screenshots/lanescope-library-screenshots "$out" "$shared")
    if [ -n "${DISPLAY:-}" ]; then
        "${library[@]}"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "${library[@]}"
    fi
    ./build/dev/src/cli/lanescope-cli library add "$shared" --db "$work/library.sqlite" >/dev/null
    ./build/dev/src/cli/lanescope-cli library best --club Freiberg --gender F --course SCM \
        --db "$work/library.sqlite" --pdf "$work/best-list.pdf"
    pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/best-list.pdf" "$out/library-club-best-list-pdf"
    echo "$out/library-club-best-list-pdf.png"
else
    echo "no shared test data: the library pictures are left as they are" >&2
fi
