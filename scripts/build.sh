#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# On CI (CI=true) a compiler warning fails the build.
warnings=()
if [ "${CI:-}" = "true" ]; then
  warnings=(-DZAMO_WARNINGS_AS_ERRORS=ON)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${warnings[@]}" >/dev/null
cmake --build build -j"$(nproc)"
