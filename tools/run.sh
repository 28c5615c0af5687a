#!/bin/sh
# Installs what is missing, builds OrvaCalc and starts it.
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
  # No window possible: show what the program produces instead, with the
  # headless worksheet command on the bundled example case.
  out="$PWD/build/example-shared-worksheet.pdf"
  echo "OrvaCalc was built (build/bin/orvacalc), but there is no display to open its window on"
  echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Rendering the example case examples/example-shared.cml instead."
  ./build/bin/orvacalc --worksheet-pdf "$out" examples/example-shared.cml
  echo "Worksheet PDF written to $out"
  echo "For any case file: build/bin/orvacalc --worksheet-pdf OUT.pdf CASE.cml (or --worksheet-json CASE.cml)."
  exit 0
fi
exec ./build/bin/orvacalc "$@"
