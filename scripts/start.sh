#!/usr/bin/env bash
# Installs what is missing, builds, and starts the station.
#   ./scripts/start.sh            the station to try without hardware: the
#                                 simulated unit in the ZAMO Units menu, its
#                                 runs marked as demo runs (/vadov)
#   ./scripts/start.sh --bench    the station for a real bench, as installed
# Other arguments are passed on to the station as they are (for example /rida
# for the service menus), and then /vadov is not added.
set -euo pipefail

# The station's arguments for the arguments of this script, one a line.
station_arguments() {
  if [ $# -eq 0 ]; then
    echo "/vadov"
    return
  fi
  if [ "$1" = "--bench" ]; then
    shift
  fi
  if [ $# -gt 0 ]; then
    printf '%s\n' "$@"
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  cd "$(dirname "$0")/.."
  ./scripts/build.sh
  mapfile -t arguments < <(station_arguments "$@")
  exec ./build/kivo_zamo "${arguments[@]}"
fi
