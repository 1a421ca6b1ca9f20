#!/usr/bin/env bash
# Draws the README's pictures of the drawing (doc/skizze-*.png) from three
# shipped examples: an upright nozzle, an oblique nozzle with a pad, a sphere.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target velkor >/dev/null
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/velkor-runtime-$(id -u)}"
mkdir -m700 -p "$XDG_RUNTIME_DIR"
for name in zylinder-stutzen scheibe-schraeg kugel; do
  build/release/app/velkor --skizze "doc/skizze-$name.png" "examples/$name.vlk"
done
