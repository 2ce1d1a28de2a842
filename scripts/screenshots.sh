#!/usr/bin/env bash
# Installs what is missing, builds, and takes the station's screenshots on a
# virtual display of the bench's size (1280 x 1024): the frame after start,
# after a run on the simulated unit with its report window closed, with the
# report list open after that run, and in service mode (/rida), and the
# report viewer with a list and an open report.
# They go to docs/screenshots/ (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
folder="${1:-docs/screenshots}"
mkdir -p "$folder"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ./build/tests/station_screenshots "$folder"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ./build/tests/viewer_screenshots "$folder"
