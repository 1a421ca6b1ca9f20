#!/usr/bin/env bash
# Builds and runs every test: the optimised build, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/einrichten.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/velkor-runtime-$(id -u)}"
mkdir -m700 -p "$XDG_RUNTIME_DIR"
jobs="$(nproc)"

for preset in fuzz asan release; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
