#!/usr/bin/env bash
# Builds programs against an installed Plotwell as a user does, outside this
# tree: installs the build into a temporary prefix, then
#   - compiles every installed header with nothing but the prefix on the
#     include path (each public header's includes are installed too),
#   - builds examples/render-png with CMake (find_package(Plotwell)) and
#     again with plain g++ and pkg-config, and runs both,
#   - builds examples/qt-embed with CMake (Plotwell::Qt) and runs it on Qt's
#     offscreen platform, saving its chart,
# each from a copy of its sources, and checks the pictures exist; then
# configures a project that takes this tree through FetchContent, without
# GoogleTest, and checks that it gets the libraries and none of the tests,
# tools, examples or benchmarks.
# Usage: tools/consumer.sh [build folder]   (default build/release, as
# tools/test.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/release}"
jobs=2
work=$(mktemp -d /tmp/plotwell-consumer.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

fail() { echo "consumer: $*" >&2; exit 1; }
# Runs a command quietly, showing its output only when it fails.
quiet() { "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log" >&2; fail "failed: $*"; }; }
# The picture must exist and start with the PNG signature.
check_png() {
  [ -s "$1" ] || fail "$2 wrote no picture to $1"
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$1 is not a PNG"
}

echo "== install $build into a temporary prefix"
quiet cmake --install "$build" --prefix "$prefix"
# No private headers, and no programs (tests, tools, benchmarks, the demo).
extra=$(find "$prefix" \( -name '*_p.h' -o -type f -perm -u+x ! -name '*.so*' \) -print)
[ -z "$extra" ] || fail "installed what a user does not need: $extra"
pc_file=$(find "$prefix" -name plotwell.pc -print -quit)
[ -n "$pc_file" ] || fail "no plotwell.pc under $prefix"
export PKG_CONFIG_PATH="$(dirname "$pc_file")"
export CMAKE_PREFIX_PATH="$prefix"

echo "== every installed header, from the prefix alone"
all_headers="$work/all_headers.cpp"
(cd "$prefix/include" && find plotwell -name '*.h' | sort | sed 's/.*/#include <&>/') > "$all_headers"
echo "int main() { return PLOTWELL_VERSION > 0 ? 0 : 1; }" >> "$all_headers"
g++ -std=c++20 -fsyntax-only $(pkg-config --cflags plotwell) "$all_headers"
echo "consumer: $(grep -c '#include' "$all_headers") headers compile"

echo "== render-png with CMake"
cp -r examples/render-png "$work/render-png"
quiet cmake -S "$work/render-png" -B "$work/render-png/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
quiet cmake --build "$work/render-png/build" -j "$jobs"
"$work/render-png/build/plotwell-render-png" "$work/render-cmake.png"
check_png "$work/render-cmake.png" "render-png (CMake)"

echo "== render-png with pkg-config"
g++ -std=c++20 -O2 "$work/render-png/main.cpp" -o "$work/render-png-pc" $(pkg-config --cflags --libs plotwell)
# A shared build's libraries are found through LD_LIBRARY_PATH (pkg-config sets no run path).
LD_LIBRARY_PATH="$(dirname "$PKG_CONFIG_PATH")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
  "$work/render-png-pc" "$work/render-pkg-config.png"
check_png "$work/render-pkg-config.png" "render-png (pkg-config)"

echo "== qt-embed with CMake, offscreen"
cp -r examples/qt-embed "$work/qt-embed"
quiet cmake -S "$work/qt-embed" -B "$work/qt-embed/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
quiet cmake --build "$work/qt-embed/build" -j "$jobs"
QT_QPA_PLATFORM=offscreen "$work/qt-embed/build/plotwell-qt-embed" --frames 30 --exit --save "$work/qt-embed.png"
check_png "$work/qt-embed.png" "qt-embed"

echo "== FetchContent without GoogleTest"
mkdir -p "$work/fetch"
cat > "$work/fetch/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(uses_plotwell LANGUAGES CXX)
include(FetchContent)
FetchContent_Declare(plotwell SOURCE_DIR "$PWD")
FetchContent_MakeAvailable(plotwell)
add_executable(render-png "$work/render-png/main.cpp")
target_link_libraries(render-png PRIVATE Plotwell::Plotwell)
if(NOT TARGET Plotwell::Qt)
  message(FATAL_ERROR "no Plotwell::Qt")
endif()
CMAKE
quiet cmake -S "$work/fetch" -B "$work/fetch/build" -G Ninja --no-warn-unused-cli \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
# Everything the build would link: the program and the Plotwell libraries only.
unwanted=$(cmake --build "$work/fetch/build" -- -t targets all |
  sed -n 's/^\([^:]*\): CXX_[A-Z_]*_LINKER_.*/\1/p' |
  grep -vE '^(render-png|.*/libplotwell_[a-z]+\.(a|so))$' || true)
[ -z "$unwanted" ] || fail "FetchContent builds more than the libraries: $unwanted"

echo "== consumer builds passed"
