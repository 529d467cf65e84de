#!/bin/sh
# The main job on the demo installation: installs what is needed, builds,
# writes a demo installation under demo/ and exports it unattended into a new
# folder, then shows the result text and the files written.
#   demo.sh             the Linux build
#   demo.sh --windows   the Windows build under Wine, in a private prefix made
#                       and removed here, its registry imported with regedit
#   demo.sh --remote    the installation set to Remote: the demo data on a
#                       private PostgreSQL server started and removed here
#                       (with --windows, the Windows build reads from it)
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
windows=false
remote=false
for option in "$@"; do
  case "$option" in
    --windows) windows=true ;;
    --remote) remote=true ;;
    *) echo "usage: $0 [--windows] [--remote]" >&2; exit 2 ;;
  esac
done
pgdir=
WINEPREFIX=
cleanup() {
  [ -z "$WINEPREFIX" ] || ./scripts/wine-prefix.sh stop "$WINEPREFIX"
  [ -z "$pgdir" ] || ./scripts/postgres-test-server.sh stop "$pgdir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
./scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target Kexporterrun kexporter-demo

# The Windows path through which Wine sees a Linux path (drive Z: is "/").
winpath() {
  printf 'Z:%s' "$1" | tr / '\\'
}

# The demo tool's options, as the positional parameters.
set --
if $remote; then
  pgdir=$(mktemp -d)
  echo "Starting a private PostgreSQL server"
  eval "$(./scripts/postgres-test-server.sh start "$pgdir")"
  # The programs log in as libpq's environment says, on either build.
  PGUSER=$KEXPORTER_TEST_PGUSER PGPASSWORD=$KEXPORTER_TEST_PGPASSWORD
  export PGUSER PGPASSWORD
  set -- --postgres "host=$KEXPORTER_TEST_PGHOST port=$KEXPORTER_TEST_PGPORT"
fi

if $windows; then
  cmake --preset windows
  cmake --build --preset windows --target Kexporterrun
  installation="$top/demo/installation-windows"
  ./build/bin/kexporter-demo --windows --force --dir "$installation" "$@"
  WINEPREFIX=$(mktemp -d)
  export WINEPREFIX
  echo "Making a new Wine prefix (a few seconds)"
  ./scripts/wine-prefix.sh start "$WINEPREFIX"
  ./scripts/wine-run.sh regedit /S "$(winpath "$installation/registry.reg")"
else
  installation="$top/demo/installation"
  ./build/bin/kexporter-demo --force --dir "$installation" "$@"
fi

output="$top/demo/export-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$output"
status=0
if $windows; then
  PEL_MESSAGE_FILE=$(winpath "$top/demo/messages.log") \
    ./scripts/wine-run.sh build-windows/bin/Kexporterrun.exe --console --yes --output "$(winpath "$output")" \
    || status=$?
else
  PEL_REGISTRY="$installation/registry.reg" PEL_MESSAGE_FILE="$top/demo/messages.log" \
    ./build/bin/Kexporterrun --console --yes --output "$output" || status=$?
fi

echo
echo "Files written to $output (CP932, shown here as UTF-8):"
for file in "$output"/*; do
  lines=$(wc -l < "$file")
  echo
  echo "== $(basename "$file"): $lines lines, $(wc -c < "$file") bytes; first lines:"
  head -n 4 "$file" | iconv -f CP932 -t UTF-8 | tr -d '\r'
done
echo
echo "Exit status: $status"
exit "$status"
