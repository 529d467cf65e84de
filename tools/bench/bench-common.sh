# What both benchmarks share; sourced right after ROOT is set. The settings
# come from the environment (see run-benchmark.sh); the functions below use
# WORK, the run's temporary folder.
BUILD=${BENCH_BUILD:-$ROOT/build-bench}
CACHE=${BENCH_CACHE:-$BUILD/bench-cache}
RUNS=${BENCH_RUNS:-5}
ACCOUNTS=${BENCH_ACCOUNTS:-1000000}
GROUPS=${BENCH_GROUPS:-100000}
MEMBERS=${BENCH_MEMBERS:-1000000}
TSIS=${BENCH_TSIS:-200000}
MEASURE=$BUILD/bin/kexporter-bench-measure

# Builds the Linux program, the generator and the measuring tool, optimised.
build_linux() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKEXPORTER_BUILD_TESTS=OFF >/dev/null
  fi
  case "$(grep '^CMAKE_BUILD_TYPE:' "$BUILD/CMakeCache.txt")" in
    *=Release|*=RelWithDebInfo) ;;
    *) echo "$0: $BUILD is not an optimised build" >&2; exit 2 ;;
  esac
  cmake --build "$BUILD" --target Kexporterrun kexporter-demo kexporter-bench-measure >/dev/null
}

# The Linux program as a copy under its own name in WORK/bin, finding its
# libraries through WORK/lib: the single-instance guard is keyed by the
# name, so a Kexporterrun running elsewhere does not stop a benchmark.
copy_linux_program() {
  mkdir -p "$WORK/bin"
  cp "$BUILD/bin/Kexporterrun" "$WORK/bin/Kexporterrun-bench"
  ln -s "$BUILD/lib" "$WORK/lib"
}

# Prints "<wall> <rss KiB>" of one terminal export by the Linux copy, of the
# installation whose registry file is $1, into a new folder; exits when the
# export fails.
run_linux_export() {
  mkdir "$WORK/export"
  set -- $(PEL_REGISTRY="$1" PEL_MESSAGE_FILE="$WORK/messages.log" \
    "$MEASURE" --stdout "$WORK/exporter.out" -- \
    "$WORK/bin/Kexporterrun-bench" --console --yes --output "$WORK/export" </dev/null 2>"$WORK/exporter.err")
  if [ "$3" != 0 ]; then
    echo "$(basename "$0"): the exporter ended with status $3:" >&2
    cat "$WORK/exporter.out" "$WORK/exporter.err" >&2
    exit 1
  fi
  rm -rf "$WORK/export"
  echo "$1 $2"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Makes the installation in folder $1 with the generator's further options
# $2, once per size and generator build: the same options give the same bytes.
make_installation() {
  stamp="$ACCOUNTS-$GROUPS-$MEMBERS-$TSIS $(sha1sum "$BUILD/bin/kexporter-demo" | cut -d' ' -f1)"
  if [ "$(cat "$1/.made" 2>/dev/null)" != "$stamp" ]; then
    echo "Making the installation in $1 ..."
    rm -rf "$1"
    "$BUILD/bin/kexporter-demo" --dir "$1" --accounts "$ACCOUNTS" --groups "$GROUPS" \
      --members "$MEMBERS" --tsis "$TSIS" $2 >/dev/null
    echo "$stamp" >"$1/.made"
  fi
}

# Runs the shell functions $1 and $2, each printing one result line, RUNS
# times each, alternating who goes first so that neither always meets the
# other's leftovers in the page cache. Their lines go to $WORK/$1.times and
# $WORK/$2.times, and each round to print_round N LINE-OF-$1 LINE-OF-$2.
alternate() {
  : >"$WORK/$1.times"
  : >"$WORK/$2.times"
  i=1
  while [ "$i" -le "$RUNS" ]; do
    if [ $((i % 2)) = 1 ]; then
      a=$($1); b=$($2)
    else
      b=$($2); a=$($1)
    fi
    echo "$a" >>"$WORK/$1.times"
    echo "$b" >>"$WORK/$2.times"
    print_round "$i" "$a" "$b"
    i=$((i + 1))
  done
}
