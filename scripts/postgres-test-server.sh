#!/bin/sh
# A private PostgreSQL server for the tests, in a folder of its own, on a
# loopback port, with password authentication, and TLS with a certificate
# for the name "localhost" signed by a CA of its own (DIR/ca.crt).
#   postgres-test-server.sh start DIR   starts it; prints shell commands that
#                                        export KEXPORTER_TEST_PG{HOST,PORT,USER,PASSWORD}
#                                        and KEXPORTER_TEST_PGSSLROOTCERT
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

# A CA and the server's certificate signed by it, valid for two days.
make_certificates() {
  ec="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
  openssl req -x509 $ec -days 2 -subj "/CN=kexporter test CA" \
    -keyout "$dir/ca.key" -out "$dir/ca.crt" >/dev/null 2>&1
  openssl req $ec -subj "/CN=localhost" -keyout "$dir/server.key" -out "$dir/server.csr" >/dev/null 2>&1
  printf 'subjectAltName=DNS:localhost\n' > "$dir/server.ext"
  openssl x509 -req -in "$dir/server.csr" -CA "$dir/ca.crt" -CAkey "$dir/ca.key" -CAcreateserial \
    -days 2 -extfile "$dir/server.ext" -out "$dir/server.crt" >/dev/null 2>&1
  chmod 600 "$dir/server.key"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir/server.key" "$dir/server.crt"
}

start() {
  mkdir -p "$dir"
  make_certificates
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
  password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
  printf '%s\n' "$password" > "$dir/password"
  [ "$(id -u)" -ne 0 ] || chown postgres "$dir/password"
  as_owner "$bindir/initdb" -D "$dir/data" -U kexporter --pwfile="$dir/password" \
    --auth=scram-sha-256 --encoding=UTF8 --locale=C >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  tls="-c ssl=on -c ssl_cert_file=$dir/server.crt -c ssl_key_file=$dir/server.key"
  # A free port is found by trying: the server refuses a port in use.
  port=$((55000 + $$ % 2000))
  tries=0
  until as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -s start \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c full_page_writes=off $tls" \
      >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 20 ] || { cat "$dir/server.log" >&2; exit 1; }
    port=$((port + 1))
  done
  echo "export KEXPORTER_TEST_PGHOST=127.0.0.1"
  echo "export KEXPORTER_TEST_PGPORT=$port"
  echo "export KEXPORTER_TEST_PGUSER=kexporter"
  echo "export KEXPORTER_TEST_PGPASSWORD=$password"
  echo "export KEXPORTER_TEST_PGSSLROOTCERT=$dir/ca.crt"
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
