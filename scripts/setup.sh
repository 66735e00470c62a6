#!/bin/sh
# Installs the Debian packages that the build, the tests and the screenshots need.
# Idempotent: when everything is there it only asks dpkg and returns.
set -eu
PACKAGES="build-essential cmake ninja-build ccache qt6-base-dev libqscintilla2-qt6-dev libpng-dev zlib1g-dev
libgtest-dev libxkbcommon-dev fonts-dejavu-core tango-icon-theme clang libclang-rt-14-dev xvfb x11-apps imagemagick xdotool unrtf poppler-utils"
missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q || true
# shellcheck disable=SC2086
$SUDO apt-get install -y -q $missing
