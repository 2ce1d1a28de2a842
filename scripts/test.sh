#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The server-database
# tests run against a private PostgreSQL server started here and stopped at
# the end, whatever the outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
source ./scripts/pg-test-server.sh
trap pg_test_server_stop EXIT
if ! pg_test_server_start; then
  if [ "${CI:-}" = "true" ]; then
    echo "CI: the PostgreSQL test server must run." >&2
    exit 1
  fi
fi
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
