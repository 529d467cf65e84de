#!/bin/sh
# A private PostgreSQL server for the tests, in a folder of its own, on a
# loopback port, with password authentication.
#   postgres-test-server.sh start DIR   starts it; prints shell commands that
#                                        export KEXPORTER_TEST_PG{HOST,PORT,USER,PASSWORD}
#   postgres-test-server.sh stop DIR    stops it and removes DIR
# The server refuses to run as root, so root runs it as the user postgres.
set -eu

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
dir=$2

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bindir/pg_ctl" ] || { echo "$0: no PostgreSQL server installed" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

start() {
  mkdir -p "$dir"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
  password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
  printf '%s\n' "$password" > "$dir/password"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir/password"
  as_owner "$bindir/initdb" -D "$dir/data" -U kexporter --pwfile="$dir/password" \
    --auth=scram-sha-256 --encoding=UTF8 --locale=C >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  # A free port is found by trying: the server refuses a port in use.
  port=$((55000 + $$ % 2000))
  tries=0
  until as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -s start \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c full_page_writes=off" \
      >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 20 ] || { cat "$dir/server.log" >&2; exit 1; }
    port=$((port + 1))
  done
  echo "export KEXPORTER_TEST_PGHOST=127.0.0.1"
  echo "export KEXPORTER_TEST_PGPORT=$port"
  echo "export KEXPORTER_TEST_PGUSER=kexporter"
  echo "export KEXPORTER_TEST_PGPASSWORD=$password"
}

stop() {
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w -s stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
