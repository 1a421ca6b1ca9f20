#!/usr/bin/env bash
# Start-up of velkor against a Qt Widgets window with one label, both quitting as soon as
# their window is shown: wall time and peak memory, and their ratios.
# QT_QPA_PLATFORM selects the platform (offscreen unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/einrichten.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velkor velkor_leeresfenster >/dev/null

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/velkor-runtime-$(id -u)}"
mkdir -m700 -p "$XDG_RUNTIME_DIR"
leer=build/release/bench/velkor_leeresfenster
velkor=build/release/app/velkor
laeufe=${LAEUFE:-30}

# Wall time of one start in microseconds.
einmal() {
  local a b
  a=$(date +%s%N); VELKOR_STARTMESSUNG=1 "$1" >/dev/null 2>&1; b=$(date +%s%N)
  echo $(( (b - a) / 1000 ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'; }
# Highest resident set size in kB over five runs.
speicher() {
  local max=0
  for _ in 1 2 3 4 5; do
    local kb
    kb=$(VELKOR_STARTMESSUNG=1 /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1)
    [ "$kb" -gt "$max" ] && max=$kb
  done
  echo "$max"
}

VELKOR_STARTMESSUNG=1 "$velkor" >/dev/null 2>&1; VELKOR_STARTMESSUNG=1 "$leer" >/dev/null 2>&1   # warm the file cache
# Alternating, so that load from elsewhere on the machine hits both alike.
z_leer=(); z_velkor=()
for _ in $(seq "$laeufe"); do
  z_leer+=("$(einmal "$leer")"); z_velkor+=("$(einmal "$velkor")")
done
t_leer=$(printf '%s\n' "${z_leer[@]}" | median); t_velkor=$(printf '%s\n' "${z_velkor[@]}" | median)
m_leer=$(speicher "$leer"); m_velkor=$(speicher "$velkor")
printf 'Plattform %s, Median aus %d Starts\n' "$QT_QPA_PLATFORM" "$laeufe"
printf '%-14s %8s ms %8s kB\n' "leeres Fenster" "$t_leer" "$m_leer" "velkor" "$t_velkor" "$m_velkor"
awk -v a="$t_velkor" -v b="$t_leer" -v c="$m_velkor" -v d="$m_leer" \
  'BEGIN { printf "Verhältnis Zeit %.2f, Speicher %.2f\n", a / b, c / d }'
