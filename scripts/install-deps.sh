#!/usr/bin/env bash
# Installs the Debian packages the configurator needs to build, run and test.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev libgl-dev
  libpugixml-dev libjpeg62-turbo-dev
  # Independent readers of the exported files in the tests: CSV, HTML, XHTML and JPEG.
  python3 tidy libxml2-utils libjpeg-turbo-progs
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2 fontconfig
  smitools
  # The end-to-end tests on a real display: Xvfb, Qt's xcb platform and input through XTEST.
  xvfb xauth libxcb-cursor0 libxkbcommon-x11-0 libxtst-dev
  # The clipboard seen from another program on that display.
  xclip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
