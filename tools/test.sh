#!/usr/bin/env bash
# Builds Plotwell and runs every test twice: an optimised build, then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Installs what is
# missing first (Debian). Usage: tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)

echo "== optimised build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPLOTWELL_BUILD_TESTS=ON -DPLOTWELL_BENCH=ON >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== sanitizer build and tests (address, undefined behaviour)"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOTWELL_SANITIZE=ON \
  -DPLOTWELL_BUILD_TESTS=ON -DPLOTWELL_BENCH=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
# fontconfig keeps its configuration for the life of the process; that is not
# our leak.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== all tests passed"
