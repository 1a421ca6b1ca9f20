#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any
# is missing. Safe to run again: with everything present it changes nothing.
set -euo pipefail

pakete=(
  g++ cmake ninja-build pkgconf
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fontconfig poppler-utils
  xvfb xauth imagemagick xdotool time
  locales
  shared-mime-info
)

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || fehlend+=("$p")
done
als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installiere fehlende Pakete: ${fehlend[*]}"
  "${als_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi

# Tests run the program under a German locale (comma as decimal separator) and a
# Persian one, whose separator "٫" is two bytes long.
for gebiet in de_DE fa_IR; do
  if ! locale -a 2>/dev/null | grep -qix "${gebiet}\.utf-\?8"; then
    echo "Erzeuge das Gebietsschema ${gebiet}.UTF-8"
    "${als_root[@]}" localedef -i "$gebiet" -f UTF-8 "${gebiet}.UTF-8"
  fi
done
