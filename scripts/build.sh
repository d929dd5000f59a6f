#!/usr/bin/env bash
# Builds the plug-in (Release) and installs it into ~/.vst, the folder Linux VST hosts scan.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build_dir=build/release
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" --target Tavelin_VST

install_dir="$HOME/.vst"
mkdir -p "$install_dir"
cp "$build_dir/Tavelin_artefacts/Release/VST/Tavelin.so" "$install_dir/Tavelin.so"
echo "Installed $install_dir/Tavelin.so"
