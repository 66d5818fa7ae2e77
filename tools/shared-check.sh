#!/usr/bin/env bash
# Checks a shared build (BUILD_SHARED_LIBS=ON): the libraries export the
# public API and not the internals.
#   - configures build/shared (shared libraries, the demo and the examples;
#     no tests, tools or benchmarks, which need a static build) and builds
#     it: every library is linked with --no-undefined, so a library calling
#     what another does not export fails here;
#   - checks that a shared configuration asking for the tests is refused;
#   - checks the dynamic symbols: internals of headers that are not installed
#     (the rasteriser, the text engine, the chart's renderer and mouse
#     handling, the Qt window system's own classes) are in the libraries but
#     not exported, and some of the public API is; prints how many symbols
#     each library exports;
#   - runs tools/consumer.sh on it: the installed headers compile alone, and
#     render-png (CMake and pkg-config) and qt-embed build against the
#     installed shared libraries and run.
# Usage: tools/shared-check.sh   (no arguments; about 3.5 minutes from
# nothing at -j2, seconds when build/shared is up to date)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/shared
jobs=2
fail() { echo "shared-check: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/plotwell-shared-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== configure and build $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DPLOTWELL_BUILD_TESTS=OFF -DPLOTWELL_BUILD_TOOLS=OFF -DPLOTWELL_BENCH=OFF -DPLOTWELL_BUILD_EXAMPLES=ON \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; fail "configure failed"; }
cmake --build "$build" -j "$jobs"

echo "== a shared build refuses the tests"
if cmake -S . -B "$work/refused" -G Ninja -DBUILD_SHARED_LIBS=ON -DPLOTWELL_BUILD_TESTS=ON >"$work/refused.log" 2>&1; then
  fail "BUILD_SHARED_LIBS=ON with PLOTWELL_BUILD_TESTS=ON configured"
fi
grep -q "PLOTWELL_BUILD_TESTS needs static libraries" "$work/refused.log" ||
  { cat "$work/refused.log" >&2; fail "the refusal does not say why"; }

echo "== exported symbols"
# Each library's symbols, defined in it (all) and exported (dynamic), one a line.
for so in $(find "$build" -name 'libplotwell_*.so.*.*.*' -type f); do
  name=$(basename "$so" | sed 's/^libplotwell_\([a-z]*\)\.so.*/\1/')
  nm --defined-only -C "$so" >"$work/$name.all"
  nm -D --defined-only -C "$so" >"$work/$name.dynamic"
done
# library|symbol text: in the library, not exported (internal headers).
hidden="graphics|korvo::raster::WideStroke(
graphics|korvo::text::FontRegistry::System()
chart|korvo::TItemRenderer::
chart|korvo::TChartMouse::InPlotArea(
qtwindows|korvo::TQtWindowSystem::"
# library|symbol text: exported (installed headers).
public="graphics|korvo::TCanvas::TextOut(
chart|korvo::TCustomPlotwell::TCustomPlotwell(
chart|typeinfo for korvo::TCustomPlotwell
qtwindows|korvo::CreateQtWindowSystem("
while IFS='|' read -r name symbol; do
  grep -qF "$symbol" "$work/$name.all" || fail "libplotwell_$name has no $symbol (renamed? pick another internal symbol)"
  if grep -qF "$symbol" "$work/$name.dynamic"; then
    fail "libplotwell_$name exports the internal $symbol"
  fi
done <<<"$hidden"
while IFS='|' read -r name symbol; do
  grep -qF "$symbol" "$work/$name.dynamic" || fail "libplotwell_$name does not export $symbol"
done <<<"$public"
total=0
for dynamic in "$work"/*.dynamic; do
  n=$(wc -l <"$dynamic")
  total=$((total + n))
  echo "shared-check: libplotwell_$(basename "$dynamic" .dynamic): $n exported symbols"
done
echo "shared-check: $total exported symbols in all"

echo "== programs against the installed shared libraries"
tools/consumer.sh "$build"

echo "== shared build checks passed"
