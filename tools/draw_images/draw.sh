#!/bin/sh
# Draws the program's own pictures into resources/images.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build/draw_images"
cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build"
QT_QPA_PLATFORM=offscreen "$build/draw_images" "$root/resources/images"
