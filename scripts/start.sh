#!/usr/bin/env bash
# Installs what is missing, builds, and starts the station. Arguments are
# passed on to the station (for example /rida for the service menus).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/kivo_zamo "$@"
