#!/bin/sh
# The main job on the demo installation: installs what is needed, builds,
# writes a demo installation under demo/ and exports it unattended into a new
# folder, then shows the result text and the files written.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
./scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target Kexporterrun kexporter-demo

installation="$top/demo/installation"
./build/bin/kexporter-demo --force --dir "$installation"

output="$top/demo/export-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$output"
status=0
PEL_REGISTRY="$installation/registry.reg" PEL_MESSAGE_FILE="$top/demo/messages.log" \
  ./build/bin/Kexporterrun --console --yes --output "$output" || status=$?

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
