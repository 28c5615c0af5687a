#!/bin/sh
# Installs what is missing, builds OrvaCalc and starts it.
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
  echo "OrvaCalc was built (build/bin/orvacalc), but there is no display to open its window on:"
  echo "neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session, or over ssh -X."
  exit 1
fi
exec ./build/bin/orvacalc "$@"
