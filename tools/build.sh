#!/bin/sh
# Configures and builds OrvaCalc into ./build (after installing what is missing).
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh
launcher=""
if command -v ccache >/dev/null 2>&1; then
  launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >/dev/null
cmake --build build
