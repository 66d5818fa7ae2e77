#!/usr/bin/env bash
# Installs the Debian packages Plotwell needs, for one of two purposes:
#   run    building the libraries and running the demo and the examples
#          (tools/run.sh)
#   test   that, and what only the tests, the benchmarks, the fuzzers and the
#          packaging need (tools/test.sh, tools/fuzz.sh, tools/consumer.sh);
#          the default
# Idempotent: installs only what is missing. Must run as root (or through sudo).
# Usage: tools/install-deps.sh [run|test]
set -euo pipefail

purpose="${1:-test}"
case "$purpose" in
  run|test) ;;
  *) echo "install-deps: unknown purpose '$purpose' (run or test)" >&2; exit 2 ;;
esac

# The compiler and build tools, the libraries Plotwell links (cairo writes the
# vector files) and the fonts the text engine needs (the extra DejaVu faces hold
# the oblique one the gallery's italic line uses).
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libfreetype-dev libfontconfig-dev libpng-dev libcairo2-dev fonts-dejavu-core fonts-dejavu-extra
)
if [ "$purpose" = test ]; then
  # GoogleTest; Xvfb for the tests on a real X server; poppler and librsvg
  # rasterise the vector files back for the tests that compare them; clang
  # with its runtime for the fuzzers; the benchmark library; dpkg-dev's
  # dpkg-shlibdeps for the Debian packages.
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
    poppler-utils librsvg2-bin
    clang libclang-rt-dev
    dpkg-dev
  )
  # Benchmark peers: the bench builds without them (and leaves their benchmarks
  # out), but tools/test.sh builds the bench and it should measure against them.
  packages+=(
    libqcustomplot-dev libqcustomplot2.1-qt6
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present ($purpose)"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
