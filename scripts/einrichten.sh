#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any
# is missing. Safe to run again: with everything present it changes nothing.
set -euo pipefail

pakete=(
  g++ cmake ninja-build pkgconf
  qt6-base-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fontconfig poppler-utils
  xvfb xauth imagemagick xdotool
  shared-mime-info
)

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || fehlend+=("$p")
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
echo "Installiere fehlende Pakete: ${fehlend[*]}"
"${als_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
