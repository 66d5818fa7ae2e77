#!/usr/bin/env bash
# Builds Plotwell and shows what it draws. Installs what is missing first
# (Debian). Usage: tools/run.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" --target plotwell-gallery plotwell-render
build/release/tools/plotwell-gallery "${1:-out}"
