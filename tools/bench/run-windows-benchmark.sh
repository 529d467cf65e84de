#!/bin/sh
# Times the Windows build under Wine against the Linux build on the same
# installation.
#
# Builds both programs (the Linux one as run-benchmark.sh does, the Windows
# one with the windows preset), makes the installation once for each build
# (the same data; the Windows one's registry names its folders through drive
# Z:), imports that registry into a private Wine prefix, then runs,
# alternating, each build's terminal export into a new folder. The first
# Wine start, which sets up the prefix's services, is not counted. Prints
# both median wall times and their ratio; exits 1 when the Windows build
# takes more than 1.5 times the Linux build's time.
#
# Environment: BENCH_BUILD, BENCH_CACHE, BENCH_RUNS (default 5) and the
# sizes BENCH_ACCOUNTS, BENCH_GROUPS, BENCH_MEMBERS, BENCH_TSIS, as for
# run-benchmark.sh.
set -eu

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tools/bench/bench-common.sh"
MAX_RATIO=1.5

echo "Building in $BUILD and build-windows ..."
build_linux
(cd "$ROOT" && cmake --preset windows >/dev/null && cmake --build --preset windows --target Kexporterrun >/dev/null)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kexporter-winbench-XXXXXX")
WINEPREFIX=$WORK/prefix
export WINEPREFIX
trap '"$ROOT/scripts/wine-prefix.sh" stop "$WINEPREFIX"; rm -rf "$WORK"' EXIT INT TERM

SIZE="$ACCOUNTS-$GROUPS-$MEMBERS-$TSIS"
LINUX_INSTALLATION=$CACHE/installation-$SIZE
WINDOWS_INSTALLATION=$CACHE/installation-windows-$SIZE
make_installation "$LINUX_INSTALLATION" ""
make_installation "$WINDOWS_INSTALLATION" --windows

winpath() {
  printf 'Z:%s' "$1" | tr / '\\'
}

# Each program as a copy under its own name, as run-benchmark.sh does, so
# that a Kexporterrun running elsewhere does not stop it.
copy_linux_program
mkdir "$WORK/wbin"
cp "$ROOT"/build-windows/bin/Kexporterrun.exe "$ROOT"/build-windows/bin/*.dll "$WORK/wbin/"
mv "$WORK/wbin/Kexporterrun.exe" "$WORK/wbin/Kexporterrun-bench.exe"

echo "Making a Wine prefix ..."
"$ROOT/scripts/wine-prefix.sh" start "$WINEPREFIX"
"$ROOT/scripts/wine-run.sh" regedit /S "$(winpath "$WINDOWS_INSTALLATION/registry.reg")"

# Prints "<wall>" of one run of a build into a new folder.
run_linux() {
  r=$(run_linux_export "$LINUX_INSTALLATION/registry.reg")
  echo "${r% *}"
}
run_windows() {
  mkdir "$WORK/export"
  set -- $(PEL_MESSAGE_FILE="$(winpath "$WORK/messages.log")" \
    "$MEASURE" --stdout "$WORK/windows.out" -- "$ROOT/scripts/wine-run.sh" \
    "$WORK/wbin/Kexporterrun-bench.exe" --console --yes --output "$(winpath "$WORK/export")" </dev/null 2>"$WORK/windows.err")
  [ "$3" = 0 ] || { echo "run-windows-benchmark: the Windows build ended with status $3" >&2; cat "$WORK/windows.err" >&2; exit 1; }
  rm -rf "$WORK/export"
  echo "$1"
}

echo "Warming the page cache and Wine (not counted) ..."
run_linux >/dev/null
run_windows >/dev/null

print_round() {
  printf 'run %d: Linux build %6.2f s   Windows build under Wine %6.2f s\n' "$1" "$2" "$3"
}
alternate run_linux run_windows

LINUX_WALL=$(median <"$WORK/run_linux.times")
WINDOWS_WALL=$(median <"$WORK/run_windows.times")
echo
echo "Machine:      $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, $(/usr/lib/wine/wine64 --version 2>/dev/null)"
echo "Installation: $ACCOUNTS accounts, $GROUPS groups with $MEMBERS members, $TSIS TSIs"
awk -v l="$LINUX_WALL" -v w="$WINDOWS_WALL" -v maxRatio="$MAX_RATIO" -v runs="$RUNS" 'BEGIN {
  ratio = w / l
  printf "Linux build:   %.2f s median of %d\n", l, runs
  printf "Windows build: %.2f s median of %d, under Wine\n", w, runs
  printf "Ratio:         %.2f (target at most %.1f)\n", ratio, maxRatio
  met = ratio <= maxRatio
  print met ? "Target met." : "Target missed."
  exit met ? 0 : 1
}'
