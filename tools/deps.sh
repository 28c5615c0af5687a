#!/bin/sh
# Installs the Debian 12 packages OrvaCalc needs to build, run and test,
# skipping those already present. Run as root (or with sudo available).
set -eu

PACKAGES="
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev libxrandr-dev xvfb
  dbus at-spi2-core python3-pyatspi openbox
  qt6-pdf-dev
  qt6-charts-dev
  qt6-webengine-dev qt6-webchannel-dev libjs-pdf
  python3-reportlab
  fonts-liberation2
  poppler-utils
  valgrind
  xdg-utils
  fp-utils libchm-bin desktop-file-utils shared-mime-info
  dpkg-dev file lintian
  python3
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
"

missing=""
for package in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done

if [ -z "$missing" ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=sudo
  else
    echo "OrvaCalc set-up: these packages are missing and installing them needs root:$missing" >&2
    exit 1
  fi
else
  SUDO=""
fi

echo "OrvaCalc set-up: installing$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
