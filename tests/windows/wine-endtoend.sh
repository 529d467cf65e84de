#!/bin/bash
# End-to-end runs of the Windows program under Wine against a demo
# installation imported with regedit, one case per call:
#   wine-endtoend.sh CASE
# Case: busy-run. (Whole exports of both builds compared: the parity test,
# tests/parity/; the folder checks: the files tests; the missing Remote
# engine: the database tests.)
# Environment: WINEPREFIX (the test run's prefix), KEXPORTER_LINUX_BUILD (the
# Linux build, for the demo generator and the Linux program),
# KEXPORTER_WINDOWS_BIN (the Windows build's bin/), KEXPORTER_SOURCE_DIR.
# The cases share the prefix's registry and the program's single-instance
# guard, so CTest runs them one at a time.
set -u
: "${WINEPREFIX:?}" "${KEXPORTER_LINUX_BUILD:?}" "${KEXPORTER_WINDOWS_BIN:?}" "${KEXPORTER_SOURCE_DIR:?}"
readonly kSkip=77
export LC_ALL=ja_JP.UTF-8

if [ ! -x "$KEXPORTER_LINUX_BUILD/bin/kexporter-demo" ] || [ ! -x "$KEXPORTER_LINUX_BUILD/bin/Kexporterrun" ]; then
  echo "SKIPPED: these tests need the Linux build in $KEXPORTER_LINUX_BUILD (cmake --build --preset default)"
  exit $kSkip
fi

work=$(mktemp -d)
trap 'exec 3<&- 2>/dev/null; rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

expect_eq() {  # expected actual what
  [ "$1" = "$2" ] || fail "$3: expected [$1], got [$2]"
}

expect_contains() {  # file text what
  grep -qF -- "$2" "$1" || fail "$3: [$2] not in $(cat "$1")"
}

# The Windows path through which Wine sees a Linux path (drive Z: is "/").
winpath() {
  printf 'Z:%s' "$1" | tr / '\\'
}

wine_run() {
  "$KEXPORTER_SOURCE_DIR/scripts/wine-run.sh" "$@"
}

# The demo installation in $work/inst, its registry imported into the prefix,
# and a copy of the Windows program in $work/wbin with the settings $1.
windows_installation() {
  "$KEXPORTER_LINUX_BUILD/bin/kexporter-demo" --windows --dir "$work/inst" "${@:2}" >/dev/null || exit 1
  wine_run regedit /S "$(winpath "$work/inst/registry.reg")" || exit 1
  cp -r "$KEXPORTER_WINDOWS_BIN" "$work/wbin"
  printf '%s' "$1" > "$work/wbin/Kexporter.ini"
}

# Runs the Windows copy: status in $status, output in $work/$1.out and .err.
run_windows() {
  local name=$1
  shift
  status=0
  wine_run "$work/wbin/Kexporterrun.exe" "$@" > "$work/$name.out" 2> "$work/$name.err" || status=$?
}

# One copy held in the middle of its export: its diagnostic messages (one per
# row at debug level) go to a pipe that is read only when the test lets it
# go. Meanwhile a second copy ends with 4, and a CSV name the run has yet to
# write appears: that file is left as it is, and the run reports it and
# fails, as on Linux.
case_busy_run() {
  windows_installation "" --accounts 3000
  mkdir -p "$work/out"
  mkfifo "$work/gate"
  PEL_MESSAGE_LEVEL=debug wine_run "$work/wbin/Kexporterrun.exe" --console --yes --output "$(winpath "$work/out")" \
    > "$work/first.out" 2> "$work/gate" &
  local first=$!
  exec 3< "$work/gate"
  local waited=0
  while [ "$(stat -c %s "$work/out/destination_1.csv" 2>/dev/null || echo 0)" -lt 100 ]; do
    [ $waited -lt 600 ] || { fail "the first copy did not start writing"; kill $first; exit 1; }
    sleep 0.1
    waited=$((waited + 1))
  done

  run_windows second --console --yes --output "$(winpath "$work/empty")"
  expect_eq 4 "$status" "exit status of the second copy"
  expect_eq "" "$(cat "$work/second.out" "$work/second.err")" "output of the second copy"

  printf 'old\r\n' > "$work/out/tsi_1.csv"
  cat <&3 > "$work/first.err"
  exec 3<&-
  status=0
  wait $first || status=$?
  expect_eq 1 "$status" "exit status of the run that met an existing file"
  expect_eq $'old\r' "$(cat "$work/out/tsi_1.csv")" "the existing file"
  local failure
  failure="ファイルへの書き込みが失敗しました。($(winpath "$work/out")\\tsi_1.csv)"
  expect_contains "$work/first.err" "$failure" "warning"
  expect_contains <(iconv -f CP932 -t UTF-8 "$work/out/Kexporter.log") "$failure" "log"
}

case "${1:-}" in
  busy-run) case_busy_run ;;
  *) echo "usage: $0 busy-run" >&2; exit 2 ;;
esac
[ $failures -eq 0 ] || exit 1
echo "passed"
