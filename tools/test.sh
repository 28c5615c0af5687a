#!/bin/sh
# Installs what is missing, builds OrvaCalc and runs every test (offscreen).
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
cd build
# Tests run side by side, one per core: each has a home folder of its own.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 --parallel "$(nproc)" "$@"
