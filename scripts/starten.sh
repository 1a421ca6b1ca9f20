#!/usr/bin/env bash
# Builds Velkor (optimised) and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/einrichten.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velkor
exec build/release/app/velkor "$@"
