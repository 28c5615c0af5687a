#!/bin/sh
# Installs what is missing, builds OrvaCalc and runs every test (offscreen).
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
cd build
# Tests run side by side, each with a home folder of its own: two per core,
# since many of them spend much of their time waiting (for a page to be drawn,
# a server, a child process) rather than computing.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 --parallel "$(($(nproc) * 2))" "$@"
