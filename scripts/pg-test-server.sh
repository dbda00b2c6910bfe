#!/usr/bin/env bash
# A private PostgreSQL server for one test run: a fresh data folder under
# /tmp, a free port on 127.0.0.1 only, its socket in that folder, one role
# with a password (scram on TCP) and one database owned by it.
#
#   start    starts it and prints the export lines the suites need:
#            eval "$(bash scripts/pg-test-server.sh start)"
#   stop     stops it and removes its folder
#   kill     stops it at once, as a crash would (pg_ctl -m immediate)
#   restart  starts it again on the same folder and port (after kill)
#
# stop, kill and restart find the server through VELMORA_TEST_PG_DIR. Run as
# root, the server runs as the postgres user (initdb refuses root).
set -euo pipefail

role=velmora_test
database=velmora_test
start_timeout=60

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "pg-test-server: no PostgreSQL server found (install Debian's postgresql)" >&2
  exit 1
fi

as_owner() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

need_dir() {
  dir=${VELMORA_TEST_PG_DIR:-}
  if [ -z "$dir" ] || [ ! -d "$dir/data" ]; then
    echo "pg-test-server: VELMORA_TEST_PG_DIR does not name a test server's folder" >&2
    exit 1
  fi
}

server_up() {
  as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t "$start_timeout" start >/dev/null
}

case "${1:-}" in
start)
  dir=$(mktemp -d /tmp/velmora-pg.XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" = 0 ] && chown postgres: "$dir"
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  password=$(head -c 18 /dev/urandom | od -An -tx1 | tr -d ' \n')
  # A start that fails half-way leaves no server and no folder behind.
  trap 'as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
  as_owner "$bindir/initdb" -D "$dir/data" -U postgres -E UTF8 --no-locale --no-sync \
    --auth-local=trust --auth-host=scram-sha-256 >"$dir/initdb.log" 2>&1 || {
    cat "$dir/initdb.log" >&2
    exit 1
  }
  # The test data need not survive a power cut, only a killed server.
  cat >>"$dir/data/postgresql.conf" <<EOF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$dir'
fsync = off
full_page_writes = off
max_connections = 60
EOF
  server_up
  as_owner "$bindir/psql" -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres -d postgres \
    -c "CREATE ROLE $role LOGIN PASSWORD '$password'" \
    -c "CREATE DATABASE $database OWNER $role" >/dev/null
  trap - EXIT
  echo "export VELMORA_TEST_PG_DIR='$dir'"
  echo "export VELMORA_TEST_PG_URL='postgresql://$role@127.0.0.1:$port/$database'"
  echo "export VELMORA_TEST_PG_SCRIPT='$(cd "$(dirname "$0")" && pwd)/$(basename "$0")'"
  echo "export PGPASSWORD='$password'"
  ;;
stop)
  need_dir
  as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$dir"
  ;;
kill)
  need_dir
  as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  ;;
restart)
  need_dir
  server_up
  ;;
*)
  echo "usage: $0 start|stop|kill|restart" >&2
  exit 2
  ;;
esac
