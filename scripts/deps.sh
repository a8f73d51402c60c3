#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only those that are missing.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    g++-mingw-w64-x86-64-posix wine64
    xvfb xauth x11-utils imagemagick fonts-ipafont-gothic
    zip unzip ca-certificates
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
