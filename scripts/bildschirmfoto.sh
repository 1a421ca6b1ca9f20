#!/usr/bin/env bash
# Starts Velkor on a virtual X server, enters and calculates the nozzle example by
# keyboard and saves a picture of the window (default doc/velkor.png).
set -euo pipefail
cd "$(dirname "$0")/.."
ziel="${1:-doc/velkor.png}"
bash scripts/einrichten.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velkor >/dev/null

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/velkor-runtime-$(id -u)}"
mkdir -m700 -p "$XDG_RUNTIME_DIR"
anzeige=:$(( 90 + RANDOM % 100 ))
Xvfb "$anzeige" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "${programm:-}" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$anzeige"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

LANG=de_DE.UTF-8 build/release/app/velkor &
programm=$!
fenster=""
for _ in $(seq 100); do
  fenster=$(xdotool search --name '^Velkor$' 2>/dev/null | head -1) && [ -n "$fenster" ] && break
  sleep 0.1
done
[ -n "$fenster" ] || { echo "Das Fenster erschien nicht." >&2; exit 1; }
xdotool windowfocus --sync "$fenster"
sleep 0.3

# TextDa holds the focus at start; Tab follows the window's tab sequence.
tippe() { xdotool type --delay 20 "$1"; }
tab() { xdotool key --delay 20 Tab; }
tippe 1000; tab; tippe 10; tab; tab; tab; tab; tab; tab   # Da, s, c1, c2, v, K, S
tab; tippe 10; tab                                         # option group, pressure
tippe "Behälter 1"; tab; tippe 7.1; tab; tippe "Mü"; tab   # heading
xdotool key space; tab                                     # nozzle on
tippe 100; tab; tippe 5; tab; tab; tab; tab; tab; tippe 100 # Das, ss, c1s, c2s, Ks, Sis, ls
xdotool key Return                                         # "=" calculates
sleep 0.5
import -window "$fenster" "$ziel"
echo "$ziel"
