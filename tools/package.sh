#!/bin/sh
# Builds OrvaCalc (tools/build.sh) and packs it as a Debian package that
# lintian accepts: build/package/orvacalc_VERSION_ARCH.deb, or into the
# folder given as argument.
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh
out="${1:-build/package}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
(cd build && cpack -G DEB -B "$stage")
for deb in "$stage"/*.deb; do
  mv "$deb" "$out/"
  deb="$out/$(basename "$deb")"
  dpkg-deb --info "$deb"
  # Errors fail the script; warnings are printed and left to the reader.
  lintian --fail-on error "$deb"
  echo "Package: $deb"
done
