#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need,
# only those that are missing. Needs root (or sudo) when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  libpng-dev libjpeg62-turbo-dev libgif-dev libtiff-dev
  clang libclang-rt-14-dev
  imagemagick xauth xvfb xdotool binutils-arm-none-eabi python3
)
if [ "${TESSEL_WITH_HARNESS:-0}" = 1 ]; then
  packages+=(gcc-arm-none-eabi binutils-arm-none-eabi libmgba-dev python3)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
