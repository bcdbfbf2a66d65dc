#!/bin/sh
# Installs the built program into a temporary prefix, validates the desktop entry and the
# AppStream metadata there, and starts the installed program as the desktop's menu would,
# with the installed sample lists. Usage: install-check.sh BUILD-DIR
set -eu

build=$1
source=$(pwd)
prefix=$(mktemp -d /tmp/morvela-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix"
for file in bin/morvela share/applications/morvela.desktop \
        share/metainfo/org.example.morvela.metainfo.xml \
        share/icons/hicolor/32x32/apps/morvela.png \
        share/icons/hicolor/64x64/apps/morvela.png \
        share/icons/hicolor/128x128/apps/morvela.png \
        share/morvela/kao1.txt share/morvela/morvela1.txt; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done

desktop-file-validate "$prefix/share/applications/morvela.desktop"
echo "desktop entry: valid"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.morvela.metainfo.xml"

sh "$source/scripts/run-check.sh" "$prefix"
