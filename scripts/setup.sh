#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests, the benchmarks and the fuzzers need,
# skipping those already installed. With --daw also what ../shared/tools/daw-gui needs to drive
# the editor inside Ardour's window.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang clang-format pkg-config
    juce-modules-source fst-dev
    libgtest-dev googletest libgmock-dev libbenchmark-dev libclang-rt-14-dev
    libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev
    libxext-dev libasound2-dev
    fonts-roboto-unhinted xvfb xauth
)

if [ "${1:-}" = "--daw" ]; then
    packages+=(ardour xvfb openbox xdotool wmctrl x11-utils imagemagick dragonfly-reverb-vst python3-numpy gdb
        iem-plugin-suite-vst)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
