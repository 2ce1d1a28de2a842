#!/usr/bin/env bash
# A private PostgreSQL server for the database tests: a fresh cluster in a
# temporary folder, listening on a free local port and on a socket in that
# folder, run by an unprivileged user. Source this file, then call
# pg_test_server_start (exports ZAMO_TEST_PG* for the tests) and
# pg_test_server_stop (also safe when the start failed half-way).

pg_test_server_bindir() {
  local dir
  for dir in /usr/lib/postgresql/*/bin; do
    [ -x "$dir/initdb" ] && { echo "$dir"; return 0; }
  done
  return 1
}

# Runs a command as the server's user (postgres when we are root).
pg_test_server_as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

pg_test_server_free_port() {
  local port
  for _ in $(seq 1 50); do
    port=$(( 20000 + RANDOM % 40000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

pg_test_server_start() {
  local bindir
  if ! bindir=$(pg_test_server_bindir); then
    echo "PostgreSQL is not installed: the server-database tests will be skipped." >&2
    return 1
  fi
  if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
    echo "No postgres user to run the test server as." >&2
    return 1
  fi
  PG_TEST_DIR=$(mktemp -d /tmp/zamo-pgtest.XXXXXX)
  chmod 755 "$PG_TEST_DIR"
  [ "$(id -u)" -eq 0 ] && chown postgres "$PG_TEST_DIR"
  local password="zamo;test'pw"
  printf '%s\n' "$password" >"$PG_TEST_DIR/pwfile"
  [ "$(id -u)" -eq 0 ] && chown postgres "$PG_TEST_DIR/pwfile"
  local port
  port=$(pg_test_server_free_port) || { echo "No free port for the test server." >&2; return 1; }
  pg_test_server_as_user "$bindir/initdb" -D "$PG_TEST_DIR/data" -U zamo_test \
    --pwfile="$PG_TEST_DIR/pwfile" --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$PG_TEST_DIR/initdb.log" 2>&1 \
    || { cat "$PG_TEST_DIR/initdb.log" >&2; return 1; }
  PG_TEST_BINDIR=$bindir
  ZAMO_TEST_PGPORT=$port
  pg_test_server_resume || return 1
  export ZAMO_TEST_PGHOST=127.0.0.1 ZAMO_TEST_PGPORT ZAMO_TEST_PGUSER=zamo_test
  export ZAMO_TEST_PGPASSWORD=$password
  echo "PostgreSQL test server on 127.0.0.1:$port (socket in $PG_TEST_DIR)"
}

# Starts the server of the cluster that pg_test_server_start made (again,
# after pg_test_server_pause), on its port.
pg_test_server_resume() {
  pg_test_server_as_user "$PG_TEST_BINDIR/pg_ctl" -D "$PG_TEST_DIR/data" -l "$PG_TEST_DIR/server.log" -w -t 60 \
    -o "-p $ZAMO_TEST_PGPORT -k $PG_TEST_DIR -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start \
    >/dev/null || { cat "$PG_TEST_DIR/server.log" >&2; return 1; }
}

# Stops the server at once and keeps its cluster: a server gone away, until
# pg_test_server_resume.
pg_test_server_pause() {
  pg_test_server_as_user "$PG_TEST_BINDIR/pg_ctl" -D "$PG_TEST_DIR/data" -m immediate -w stop >/dev/null
}

pg_test_server_stop() {
  [ -n "${PG_TEST_DIR:-}" ] || return 0
  if [ -n "${PG_TEST_BINDIR:-}" ] && [ -f "$PG_TEST_DIR/data/postmaster.pid" ]; then
    pg_test_server_as_user "$PG_TEST_BINDIR/pg_ctl" -D "$PG_TEST_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$PG_TEST_DIR"
  PG_TEST_DIR=
}
