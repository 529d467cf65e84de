#!/bin/sh
# The peak memory of an export from a Remote installation: the demo data
# loaded into a private PostgreSQL server (scripts/postgres-test-server.sh),
# exported RUNS times into a new folder. Prints the median wall time and the
# largest peak resident memory; exits 1 when that is above 24 MiB (rows
# held whole would take hundreds).
#
# Environment: as run-benchmark.sh (BENCH_BUILD, BENCH_RUNS, BENCH_ACCOUNTS,
# BENCH_GROUPS, BENCH_MEMBERS, BENCH_TSIS). The data are loaded anew each
# time: a server does not outlive the run.
set -eu

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tools/bench/bench-common.sh"
MAX_RSS_KIB=24576

echo "Building in $BUILD ..."
build_linux

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kexporter-bench-XXXXXX")
# The server's own folder: as root the server runs as the user postgres,
# who may not enter WORK.
PGDIR=$(mktemp -d "${TMPDIR:-/tmp}/kexporter-bench-pg-XXXXXX")
trap '"$ROOT/scripts/postgres-test-server.sh" stop "$PGDIR"; rm -rf "$WORK"' EXIT
trap 'exit 1' INT TERM
eval "$("$ROOT/scripts/postgres-test-server.sh" start "$PGDIR")"
export PGUSER=$KEXPORTER_TEST_PGUSER PGPASSWORD=$KEXPORTER_TEST_PGPASSWORD

echo "Loading $ACCOUNTS accounts, $GROUPS groups with $MEMBERS members, $TSIS TSIs ..."
"$BUILD/bin/kexporter-demo" --dir "$WORK/installation" --accounts "$ACCOUNTS" --groups "$GROUPS" \
  --members "$MEMBERS" --tsis "$TSIS" \
  --postgres "host=$KEXPORTER_TEST_PGHOST port=$KEXPORTER_TEST_PGPORT" >/dev/null

copy_linux_program

: >"$WORK/times"
i=1
while [ "$i" -le "$RUNS" ]; do
  r=$(run_linux_export "$WORK/installation/registry.reg")
  set -- $r
  printf 'run %d: Kexporterrun %6.2f s (%5.1f MiB)\n' "$i" "$1" "$(echo "$2" | awk '{ print $1 / 1024 }')"
  echo "$1 $2" >>"$WORK/times"
  i=$((i + 1))
done

WALL=$(cut -d' ' -f1 "$WORK/times" | median)
PEAK_KIB=$(cut -d' ' -f2 "$WORK/times" | sort -n | tail -1)
awk -v e="$WALL" -v kib="$PEAK_KIB" -v maxKib="$MAX_RSS_KIB" -v runs="$RUNS" 'BEGIN {
  printf "Remote export: %.2f s median of %d\n", e, runs
  printf "Peak memory:   %.1f MiB (target at most %d MiB)\n", kib / 1024, maxKib / 1024
  met = kib <= maxKib
  print met ? "Target met." : "Target missed."
  exit met ? 0 : 1
}'
