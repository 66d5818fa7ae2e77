#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Plotwell need.
# Idempotent: installs only what is missing. Must run as root (or through sudo).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libfreetype-dev libfontconfig-dev libpng-dev libcairo2-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  poppler-utils librsvg2-bin
  clang libclang-rt-dev
)
# Benchmark peers: the bench builds without them (and leaves their benchmarks
# out), but tools/test.sh builds the bench and it should measure against them.
packages+=(
  libqcustomplot-dev libqcustomplot2.1-qt6
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
