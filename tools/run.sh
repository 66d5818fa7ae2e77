#!/usr/bin/env bash
# Builds Plotwell and shows what it draws: renders the gallery into the output
# folder, then opens the demo program plw2win. With a display (DISPLAY or
# WAYLAND_DISPLAY set) the demo opens its window and runs until it is closed;
# without one it runs offscreen for 200 frames and saves a picture of its
# window into the output folder. Installs what is missing first (Debian).
# Usage: tools/run.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-out}"
tools/install-deps.sh run
# Only the programs: the tests and benchmarks need packages that running does not.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPLOTWELL_BUILD_TESTS=OFF -DPLOTWELL_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" --target plotwell-gallery plotwell-render plw2win
build/release/tools/plotwell-gallery "$out"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run: opening the demo window; Start animates both charts, Exit or closing the window ends it"
  build/release/app/plw2win
else
  mkdir -p "$out"
  echo "run: no display, so the demo runs on Qt's offscreen platform: Start, 200 frames, Stop"
  build/release/app/plw2win --offscreen --frames 200 --screenshot "$out/demo-window.png" --fps --exit
  echo "run: the demo's window after 200 frames is in $out/demo-window.png"
fi
