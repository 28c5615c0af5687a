#!/bin/sh
# Installs what is missing, builds OrvaCalc and runs every test (offscreen).
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 "$@"
