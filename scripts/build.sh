#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then builds the native tests
# and benchmarks with the Linux program and its Debian package (build/native
# → dist/), and the Windows programs with their Setup program (build/win → dist/).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make g++ pkg-config libgtest-dev googletest
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis
    libosmesa6-dev libglu1-mesa-dev
    wine wine64 xvfb xauth x11-utils xdotool imagemagick python3
    libasound2-plugins gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    gstreamer1.0-plugins-ugly gstreamer1.0-libav sox libsox-fmt-mp3 lame
    fonts-ipafont-gothic
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    libgl-dev libx11-dev dpkg-dev xscreensaver
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$jobs"
# The Linux program's Debian package, beside it in dist/.
cmake --build build/native --target package >/dev/null

cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j "$jobs"
