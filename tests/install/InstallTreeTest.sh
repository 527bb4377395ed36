#!/bin/sh
# Installs the build into a scratch prefix, moves the installed tree elsewhere and runs the
# installed programs on the installed sample: the tree must be complete and relocatable.
# Usage: InstallTreeTest.sh BUILD_DIR VERSION GUI(ON|OFF)
set -eu
build=$1
version=$2
gui=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$scratch/first" >"$scratch/install.log" ||
    { cat "$scratch/install.log" >&2; fail "cmake --install"; }
mv "$scratch/first" "$scratch/moved"
prefix=$scratch/moved

for f in bin/lumbra32-cli \
    share/man/man1/lumbra32-cli.1.gz share/man/man1/lumbra32.1.gz \
    share/applications/lumbra32.desktop share/mime/packages/lumbra32.xml \
    share/icons/hicolor/scalable/apps/lumbra32.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-lumbra32-project.svg \
    share/bash-completion/completions/lumbra32-cli \
    share/doc/lumbra32/README.md share/doc/lumbra32/examples/calc/main.c; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
MANWIDTH=80 man -l "$prefix/share/man/man1/lumbra32-cli.1.gz" | grep -q "EXIT STATUS" ||
    fail "the installed manual page cannot be read"
[ -f "$prefix/share/lumbra32/help/index.html" ] || fail "the manual is not installed"

# Nothing may lead the installed programs back into the build tree.
build_abs=$(cd "$build" && pwd)
for program in "$prefix"/bin/*; do
    if readelf -d "$program" | grep -E 'RPATH|RUNPATH' | grep -qF "$build_abs"; then
        fail "$program keeps a library path into the build tree"
    fi
done

cli=$prefix/bin/lumbra32-cli
[ "$("$cli" --version)" = "lumbra32-cli $version" ] || fail "lumbra32-cli --version says: $("$cli" --version)"
"$cli" --help | grep -q "Subcommands:" || fail "lumbra32-cli --help"
sample=$prefix/share/doc/lumbra32/examples/calc
"$cli" files "$sample" >"$scratch/files.txt" || fail "lumbra32-cli files exited with $?"
[ "$(grep -c '\.[ch]' "$scratch/files.txt")" -eq 4 ] || { cat "$scratch/files.txt"; fail "not the four sample files"; }
"$cli" structure --root main "$sample" >"$scratch/tree.txt" || fail "lumbra32-cli structure exited with $?"
grep -q "main" "$scratch/tree.txt" || { cat "$scratch/tree.txt"; fail "no calling tree of main"; }
set +e
"$cli" files "$scratch/does-not-exist.c" >/dev/null 2>&1
status=$?
set -e
[ $status -eq 1 ] || fail "an unreadable input gives status $status instead of 1"

if [ "$gui" = ON ]; then
    for size in 16 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x$size/apps/lumbra32.png
        file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}px PNG"
    done
    desktop=$prefix/bin/lumbra32
    # The texts answer without any display.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$desktop" --version >/dev/null 2>&1 ||
        fail "lumbra32 --version needs a display"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$desktop" --help 2>/dev/null |
        grep -q -- "--screenshot" || fail "lumbra32 --help needs a display"
    export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$scratch/config"
    "$desktop" --version | grep -qx "Lumbra32 $version" || fail "lumbra32 --version"
    "$desktop" --help | grep -q -- "--screenshot" || fail "lumbra32 --help"
    "$desktop" --screenshot "$scratch/shot.png" --size 800x600 --select main "$sample" ||
        fail "lumbra32 --screenshot exited with $?"
    file "$scratch/shot.png" | grep -q "PNG image data, 800 x 600" || fail "no 800x600 picture"
    [ ! -e "$scratch/config/Nuvex/Lumbra32/Lumbra32.ini" ] || fail "a picture run wrote settings"
fi
echo "installed tree complete and relocatable"
