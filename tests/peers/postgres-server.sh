#!/usr/bin/env bash
# A private PostgreSQL 15 server for one test run.
#   postgres-server.sh start DIR   initialises DIR, starts the server on 127.0.0.1 and a socket in
#                                  DIR, creates the database "tarvo_test" and prints the port.
#   postgres-server.sh stop DIR    stops the server and removes DIR.
# The server trusts local connections and keeps nothing after the run. As root it runs as the
# user postgres, which then owns DIR.
set -euo pipefail
bin=${PG_BIN:-/usr/lib/postgresql/15/bin}
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$cmd" in
start)
  [ -x "$bin/initdb" ] || { echo "PostgreSQL binaries not found in $bin" >&2; exit 3; }
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  as_server_user "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 \
    --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
  for attempt in 1 2 3 4 5; do
    port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    if as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
        start >/dev/null 2>&1; then
      as_server_user "$bin/createdb" -h "$dir" -p "$port" -U postgres tarvo_test
      echo "$port"
      exit 0
    fi
  done
  echo "PostgreSQL did not start; see $dir/server.log" >&2
  exit 1
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_server_user "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
