#!/bin/sh
# Builds the fuzz targets with clang (the CMake preset fuzz: libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs them side by side
# for a bounded time, each from its seed corpus in fuzz/corpus/. Exits nonzero when a target crashes;
# the input that crashed it is left in the build folder's crashes/. Without
# clang and its libFuzzer runtime the run is skipped (exit 0, with a note).
#
# Environment: FUZZ_TIME (seconds per target, default 20), FUZZ_BUILD (build
# folder, default build-fuzz).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
FUZZ=$ROOT/fuzz
TIME=${FUZZ_TIME:-20}
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
CXX=${FUZZ_CXX:-clang++}

if ! command -v "$CXX" >/dev/null 2>&1; then
  echo "run-fuzz: $CXX not found; fuzzing skipped"
  exit 0
fi
mkdir -p "$BUILD/crashes"
FLAGS="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    $CXX $FLAGS -x c++ - -o "$BUILD/probe" 2>/dev/null; then
  echo "run-fuzz: $CXX cannot build libFuzzer targets (libclang-rt missing?); fuzzing skipped"
  exit 0
fi

echo "run-fuzz: building the targets (preset fuzz)"
cmake --preset fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER="$CXX" >"$BUILD/configure.log" 2>&1 || { cat "$BUILD/configure.log"; exit 1; }
cmake --build "$BUILD"

# The targets run side by side, each for TIME seconds of wall time.
for name in registry settings text; do
  # New inputs go to the build folder's corpus; the seeds stay as they are.
  mkdir -p "$BUILD/corpus/$name"
  dictionary=""
  [ -f "$FUZZ/$name.dict" ] && dictionary="-dict=$FUZZ/$name.dict"
  echo "run-fuzz: running $name for ${TIME}s"
  "$BUILD/bin/$name" -max_total_time="$TIME" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$BUILD/crashes/$name-" -print_final_stats=1 $dictionary \
    "$BUILD/corpus/$name" "$FUZZ/corpus/$name" >"$BUILD/$name.log" 2>&1 &
  eval "pid_$name=$!"
done
failed=""
for name in registry settings text; do
  if ! eval "wait \$pid_$name"; then
    tail -40 "$BUILD/$name.log"
    failed="$failed $name"
  else
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$BUILD/$name.log" |
      sed "s/^/run-fuzz: $name /"
  fi
done

if [ -n "$failed" ]; then
  echo "run-fuzz: crashed:$failed (inputs in $BUILD/crashes)"
  exit 1
fi
echo "run-fuzz: no crash"
