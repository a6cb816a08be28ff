#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Lumoria, then configures and
# builds it in ./build. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev libgif-dev libfontconfig-dev libemf2svg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu cups cups-client libcups2-dev printer-driver-cups-pdf poppler-utils libjpeg-turbo-progs
  xvfb xauth mate-backgrounds libvips-tools imagemagick
  qt6-translations-l10n xdg-utils adwaita-icon-theme desktop-file-utils libglib2.0-bin
  clang lld
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
