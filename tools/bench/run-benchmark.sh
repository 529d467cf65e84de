#!/bin/sh
# Times Kexporterrun against the sqlite3 shell on one large installation.
#
# Builds the program (RelWithDebInfo), makes the installation once into a
# cache folder, then runs, alternating, the exporter (--console --yes into a
# new folder) and `sqlite3 -readonly -csv` writing the same three queries to
# CSV files, and once the exporter's check (--check). Prints the rows per
# second of both, the ratio of their median wall times and the exporter's
# peak resident memory in either terminal run; exits 1 when a target is
# missed (ratio at most 1.0, peak memory at most 12 MiB).
#
# Environment: BENCH_BUILD (build folder, default build-bench), BENCH_CACHE
# (where the installation is kept), BENCH_RUNS (default 5), BENCH_ACCOUNTS,
# BENCH_GROUPS, BENCH_MEMBERS, BENCH_TSIS (default 1000000, 100000, 1000000,
# 200000).
set -eu

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tools/bench/bench-common.sh"
MAX_RATIO=1.0
MAX_RSS_KIB=12288

ACCOUNT_QUERY="select ac_guid,ac_id,ac_name,ac_storeTray from umAccount order by ac_id"
GROUP_QUERY="select gr_ownerguid,ac_name,gr_guid from umGroup,umAccount where umGroup.gr_ownerguid=umAccount.ac_guid order by umGroup.gr_ownerguid"
TSI_QUERY="select ts_code,ts_guid,ts_sender from umTSI"

command -v sqlite3 >/dev/null || { echo "run-benchmark: sqlite3 is not installed" >&2; exit 2; }

echo "Building in $BUILD ..."
build_linux

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kexporter-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

INSTALLATION=$CACHE/installation-$ACCOUNTS-$GROUPS-$MEMBERS-$TSIS
make_installation "$INSTALLATION" ""
DB=$INSTALLATION/nxv5/data/ud_gwAddress.db

ROWS=$(sqlite3 -readonly "$DB" "select (select count(*) from umAccount)
  + (select count(*) from umGroup,umAccount where gr_ownerguid=ac_guid)
  + (select count(*) from umTSI)")

copy_linux_program
EXPORTER=$WORK/bin/Kexporterrun-bench

run_exporter() { run_linux_export "$INSTALLATION/registry.reg"; }

# Prints "<wall> <rss KiB>" of one sqlite3 shell run writing the same rows.
run_sqlite() {
  mkdir "$WORK/sqlite"
  set -- $("$MEASURE" -- sqlite3 -readonly -csv "$DB" \
    ".output $WORK/sqlite/destination.csv" "$ACCOUNT_QUERY" \
    ".output $WORK/sqlite/group.csv" "$GROUP_QUERY" \
    ".output $WORK/sqlite/tsi.csv" "$TSI_QUERY" </dev/null)
  [ "$3" = 0 ] || { echo "run-benchmark: sqlite3 ended with status $3" >&2; exit 1; }
  rm -rf "$WORK/sqlite"
  echo "$1 $2"
}

# Prints "<wall> <rss KiB>" of one check, which writes nothing.
run_check() {
  set -- $(PEL_REGISTRY="$INSTALLATION/registry.reg" PEL_MESSAGE_FILE="$WORK/messages.log" \
    "$MEASURE" --stdout "$WORK/check.out" -- "$EXPORTER" --check </dev/null 2>"$WORK/check.err")
  [ "$3" = 0 ] || { echo "run-benchmark: the check ended with status $3" >&2; cat "$WORK/check.err" >&2; exit 1; }
  echo "$1 $2"
}

echo "Warming the page cache ..."
run_exporter >/dev/null
run_sqlite >/dev/null

print_round() {
  printf 'run %d: Kexporterrun %6.2f s (%5.1f MiB)   sqlite3 %6.2f s\n' "$1" \
    "${2% *}" "$(echo "${2#* }" | awk '{ print $1 / 1024 }')" "${3% *}"
}
alternate run_exporter run_sqlite

c=$(run_check)
printf 'check:  Kexporterrun --check %6.2f s (%5.1f MiB)\n' "${c% *}" "$(echo "${c#* }" | awk '{ print $1 / 1024 }')"
echo "$c" >"$WORK/check.times"

EXPORT_WALL=$(cut -d' ' -f1 "$WORK/run_exporter.times" | median)
SQLITE_WALL=$(cut -d' ' -f1 "$WORK/run_sqlite.times" | median)
PEAK_KIB=$(cat "$WORK/run_exporter.times" "$WORK/check.times" | cut -d' ' -f2 | sort -n | tail -1)

echo
echo "Machine:      $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "Installation: $ACCOUNTS accounts, $GROUPS groups with $MEMBERS members, $TSIS TSIs ($ROWS rows read)"
awk -v rows="$ROWS" -v e="$EXPORT_WALL" -v s="$SQLITE_WALL" -v kib="$PEAK_KIB" \
    -v maxRatio="$MAX_RATIO" -v maxKib="$MAX_RSS_KIB" -v runs="$RUNS" 'BEGIN {
  ratio = e / s
  printf "Kexporterrun: %.2f s median of %d, %.0f rows/s\n", e, runs, rows / e
  printf "sqlite3:      %.2f s median of %d, %.0f rows/s\n", s, runs, rows / s
  printf "Ratio:        %.2f (target at most %.1f)\n", ratio, maxRatio
  printf "Peak memory:  %.1f MiB (target at most %d MiB)\n", kib / 1024, maxKib / 1024
  met = ratio <= maxRatio && kib <= maxKib
  print met ? "Targets met." : "Targets missed."
  exit met ? 0 : 1
}'
