#!/usr/bin/env bash
# Installs the build into a temporary folder and checks what a desktop finds there: every file of the
# installed layout, the desktop entry and metainfo as their validators see them, and the document types and
# default opener as xdg-mime answers with only this tree's MIME package and desktop entry known.
# Usage: installed-tree.sh BUILD-DIR SAMPLES-DIR   (exit 77: a needed tool is missing)
set -euo pipefail
build=$1
samples=$2
for tool in desktop-file-validate appstreamcli update-mime-database update-desktop-database xdg-mime mimetype; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root/dest cmake --install "$build" --prefix /usr >/dev/null
share=$root/dest/usr/share
id=example.lanescope.Lanescope
status=0
fail() { echo "FAIL: $*"; status=1; }

expected=(
    ../bin/lanescope ../bin/lanescope-cli
    lanescope/lanescope.xus lanescope/lanescope.xde lanescope/lanescope.xfr lanescope/lanescope.xch
    lanescope/lanescopeus.rtf lanescope/lanescopede.rtf
    "applications/$id.desktop" "metainfo/$id.metainfo.xml" mime/packages/lanescope.xml
    man/man1/lanescope.1.gz man/man1/lanescope-cli.1.gz bash-completion/completions/lanescope-cli
    doc/lanescope/copyright doc/lanescope/changelog.gz
)
for name in $id application-x-lenex+xml application-x-lenex-archive application-x-sdif application-x-dsv \
    application-x-pce3-archive; do
    context=mimetypes
    [ "$name" = "$id" ] && context=apps
    expected+=("icons/hicolor/scalable/$context/$name.svg")
    for size in 16 22 24 32 48 64 128 256; do
        expected+=("icons/hicolor/${size}x$size/$context/$name.png")
    done
done
for file in "${expected[@]}"; do
    [ -s "$share/$file" ] || fail "not installed: $file"
done

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null || fail "appstreamcli validate"

# The installed programs find their language files in the shared folder.
"$root/dest/usr/bin/lanescope-cli" info "$samples/autumn-open-2026.lxf" | grep -q "Competition 1: Autumn Open 2026" ||
    fail "the installed lanescope-cli cannot read the sample"

# A user data folder holding only this tree's MIME package and desktop entry, as the package installs them.
data=$root/data
mkdir -p "$data/mime/packages" "$data/applications"
cp "$share/mime/packages/lanescope.xml" "$data/mime/packages/"
cp "$share/applications/$id.desktop" "$data/applications/"
update-mime-database "$data/mime" 2>/dev/null
update-desktop-database "$data/applications"
query() {
    env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
        XDG_DATA_HOME="$data" XDG_CONFIG_HOME="$root/config" xdg-mime query "$@"
}
files=$root/files
mkdir -p "$files"
cp "$samples/autumn-open-2026.lef" "$samples/autumn-open-2026.lxf" "$files/"
printf 'A01V3      02Results\n' >"$files/results.sd3"
printf '(* written by a meet program *)\nFORMAT:Wettkampfergebnisliste;7;\n' >"$files/Results.DSV7"
for check in autumn-open-2026.lef=application/x-lenex+xml autumn-open-2026.lxf=application/x-lenex-archive \
    results.sd3=application/x-sdif Results.DSV7=application/x-dsv; do
    file=${check%%=*}
    type=${check#*=}
    answer=$(query filetype "$files/$file")
    [ "$answer" = "$type" ] || fail "$file is $answer, not $type"
    answer=$(query default "$type")
    [ "$answer" = "$id.desktop" ] || fail "the default for $type is '$answer'"
done
# The installed viewer neither asks to register the file types nor registers them for the user: the package's
# desktop entry and MIME package are there. A question would wait for an answer; the run is ended after a
# minute then. The viewer ends by itself once it has drawn the sample's first list.
config=$root/viewer-config
mkdir -p "$config/lanescope"
printf '[Config]\nlbxLanguage=3\n' >"$config/lanescope/lanescope.ini"
if timeout 60 env QT_QPA_PLATFORM=offscreen LANESCOPE_QUIT_AFTER_FIRST_PAINT=1 XDG_CONFIG_HOME="$config" \
    XDG_DATA_HOME="$root/viewer-data" "$root/dest/usr/bin/lanescope" "$files/autumn-open-2026.lef" \
    >/dev/null 2>&1; then
    ! grep -q AskRegExtension "$config/lanescope/lanescope.ini" || fail "the installed viewer asked to register"
    [ ! -e "$root/viewer-data/applications" ] || fail "the installed viewer registered the file types"
    [ ! -e "$root/dest/usr/bin/lanescope.ini" ] || fail "the installed viewer wrote settings beside itself"
else
    fail "the installed viewer did not draw the sample without a question"
fi
[ $status -eq 0 ] && echo "installed tree, desktop entry, metainfo and document types checked"
exit $status
