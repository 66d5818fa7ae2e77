#!/usr/bin/env bash
# Runs the demo for the given number of seconds (default 600) under
# AddressSanitizer with leak checking and UBSan, on Qt's offscreen platform:
# animation, pan and zoom drags, copies to the clipboard, stop and start, and
# at the end the window closed during the animation (tools/soak/). Prints the
# resident size at the start, once a minute and at the end; exits non-zero on
# any sanitizer report. Installs what is missing first (Debian).
# Usage: tools/soak.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
tools/install-deps.sh
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOTWELL_SANITIZE=ON \
  -DPLOTWELL_BENCH=OFF >/dev/null
cmake --build build/sanitize -j "$(nproc 2>/dev/null || echo 2)" --target plw2win-soak
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
build/sanitize/tools/plw2win-soak "$seconds"
