#!/usr/bin/env bash
# Installs the Debian 12 packages that the station, the viewer and the tests need.
# Does nothing when every package is already there.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev libqt6opengl6-dev
  qt6-multimedia-dev libqt6dbus6
  libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  postgresql
  poppler-utils unzip xvfb xauth libfaketime
  fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
