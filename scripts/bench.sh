#!/usr/bin/env bash
# The speed and memory benchmarks at full size in one run, each figure beside
# its baseline: the reading beside the plain prepared insert (SQLite and
# PostgreSQL) with its syncs, the upgrade's longest wait between turns of the
# message loop at 100,000 groups, the report lists and the viewer's list
# beside their bare statements, a report's PDF and tab-separated exports
# beside their queries, and the resident size over an 8-hour shift in virtual
# time. Runs the build in build/ (scripts/build.sh) against a private
# PostgreSQL server started here and stopped at the end. Extra arguments go
# to the benchmark program (e.g. --benchmark_out=bench.json).
set -euo pipefail
cd "$(dirname "$0")/.."
source ./scripts/pg-test-server.sh
trap pg_test_server_stop EXIT
pg_test_server_start || echo "No PostgreSQL test server: the server benchmarks are skipped." >&2
ZAMO_BENCH_FULL=1 QT_QPA_PLATFORM=offscreen ./build/tests/zamo_benchmarks \
  --benchmark_filter='RecordAll|UpkeepUpgrade|ReportList|Viewer|ExportFull|ShiftMemory' "$@" \
  2> >(grep -v 'does not support propagateSizeHints' >&2)
