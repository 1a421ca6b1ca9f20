#!/usr/bin/env bash
# Starts Velkor on a virtual X server with a project file (default the nozzle
# example), clicks the report button and saves pictures of the main window and
# of the report window: ZIEL (default doc/velkor.png) and ZIEL with -bericht;
# then ticks "Rechengang" and saves the window with the section, ZIEL with
# -rechengang; last the dialog "Angaben" of the main window, ZIEL with -angaben.
# The program's settings live in a temporary folder meanwhile.
# Usage: scripts/bildschirmfoto.sh [ZIEL.png [DATEI.vlk]]
set -euo pipefail
cd "$(dirname "$0")/.."
ziel="${1:-doc/velkor.png}"
datei="${2:-examples/zylinder-stutzen.vlk}"
bash scripts/einrichten.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velkor >/dev/null

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/velkor-runtime-$(id -u)}"
mkdir -m700 -p "$XDG_RUNTIME_DIR"
einstellungen=$(mktemp -d)
export XDG_CONFIG_HOME="$einstellungen"
anzeige=:$(( 90 + RANDOM % 100 ))
Xvfb "$anzeige" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "${programm:-}" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$einstellungen"' EXIT
export DISPLAY="$anzeige"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The id of the window titled $1 once it is shown (10 s at most), else a message and the end.
fenster() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "Das Fenster „$1“ erschien nicht." >&2; exit 1; }
  sleep 0.5
  echo "$id"
}

LANG=de_DE.UTF-8 build/release/app/velkor "$datei" &
programm=$!
haupt=$(fenster Velkor)
import -window "$haupt" "$ziel"

# "P": the report button, 384 + 12 and 304 + 12 inside the window.
xdotool mousemove --window "$haupt" 396 316 click 1
bericht=$(fenster Ergebnisausgabe)
import -window "$bericht" "${ziel%.png}-bericht.png"

# "Rechengang", left of the buttons: 8 + 10 and 320 + 12 below the row of tabs (24 high).
xdotool mousemove --window "$bericht" 18 356 click 1
sleep 0.5
import -window "$bericht" "${ziel%.png}-rechengang.png"

# "Angaben…", below the frame "Projekt": 8 + 40 and 336 + 12 inside the main window,
# which the report window covers until it is hidden.
xdotool windowunmap "$bericht"
xdotool mousemove --window "$haupt" 48 348 click 1
angaben=$(fenster Angaben)
# "Prüfzustand rechnen" (30, 198 inside the dialog), then OK (Return) calculates and closes;
# opened again, the dialog shows the test case's results.
xdotool mousemove --window "$angaben" 30 198 click 1
xdotool key Return
sleep 0.5
xdotool mousemove --window "$haupt" 48 348 click 1
angaben=$(fenster Angaben)
import -window "$angaben" "${ziel%.png}-angaben.png"
echo "$ziel ${ziel%.png}-bericht.png ${ziel%.png}-rechengang.png ${ziel%.png}-angaben.png"
