#!/bin/sh
# The desktop entry and the project MIME type: valid for the freedesktop tools, and agreeing
# with each other and with the installed icon name.
# Usage: DesktopEntryTest.sh SOURCE_DIR
set -eu
linux=$1/res/linux
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop=$linux/lumbra32.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate warns: $report"
grep -qx 'Exec=lumbra32 %F' "$desktop" || fail "Exec must pass the chosen files (%F)"
grep -qx 'GenericName=Source Code Structure Viewer' "$desktop" || fail "GenericName"
grep -q '^Name\[ja\]=' "$desktop" || fail "no Japanese name"
grep -qx 'Icon=lumbra32' "$desktop" || fail "the icon is installed as lumbra32"

# The MIME database compiler rejects a malformed definition; the compiled database must then
# know the type under the name the desktop entry asks for, with its glob and magic.
mkdir -p "$scratch/mime/packages"
cp "$linux/lumbra32-mime.xml" "$scratch/mime/packages/lumbra32.xml"
XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>"$scratch/mime.err" || fail "update-mime-database: $(cat "$scratch/mime.err")"
[ ! -s "$scratch/mime.err" ] || fail "update-mime-database warns: $(cat "$scratch/mime.err")"
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the desktop entry names no MIME type"
for type in $types; do
    [ -f "$scratch/mime/$type.xml" ] || fail "$type is not defined"
done
grep -q 'application/x-lumbra32-project:\*\.prj' "$scratch/mime/globs2" || fail "*.prj glob missing"
grep -q 'application/x-lumbra32-project' "$scratch/mime/magic" || fail "[Files] magic missing"
echo "desktop entry and MIME type valid"
