#!/bin/sh
# Configures and builds OrvaCalc into ./build (after installing what is missing).
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
