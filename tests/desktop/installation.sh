#!/bin/sh
# Installs the desktop files into an empty prefix and checks that the file type
# database built from them maps *.vlk to the project type and the menu entry opens it.
set -eu
bau=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$bau" --prefix "$prefix" --component desktop >/dev/null
share=$prefix/share
test -f "$share/icons/hicolor/scalable/apps/velkor.svg"
grep -qx 'Exec=velkor %f' "$share/applications/velkor.desktop"
grep -qx 'MimeType=application/x-velkor-projekt;' "$share/applications/velkor.desktop"
XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>&1 | { ! grep .; }
grep -qx '50:application/x-velkor-projekt:\*\.vlk' "$share/mime/globs2"
echo "Installation in Ordnung"
