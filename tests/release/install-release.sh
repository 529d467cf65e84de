#!/bin/sh
# Installs the release in dist/ as an operator would and exports the demo
# with it, in the terminal flow: the Windows zip unpacked into a new Wine
# prefix's C:\ (nothing else of the project there), the demo's registry
# imported with regedit; the Debian package installed on this machine, run
# from the path, then purged without a file left behind. Each export must
# give the Linux build's CSV files byte for byte (build/ must be built).
set -eu
cd "$(dirname "$0")/../.."
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
version=$(sed -n 's/^#define KEXPORTER_VERSION "\(.*\)"$/\1/p' build/kexporter/frontend/ProgramVersion.h)
zip=dist/Kexporterrun-$version-win64.zip
deb=dist/kexporterrun_${version}_amd64.deb
work=$(mktemp -d)
WINEPREFIX=$work/prefix
export WINEPREFIX
cleanup() {
  ./scripts/wine-prefix.sh stop "$WINEPREFIX" || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
  echo "install-release: $*" >&2
  exit 1
}

# The Windows path through which Wine sees a Linux path (drive Z: is "/").
winpath() {
  printf 'Z:%s' "$1" | tr / '\\'
}

# The same file names in both folders, and the same bytes in every CSV file.
same_export() {
  (cd "$1" && ls) > "$work/names.expected"
  (cd "$2" && ls) > "$work/names.actual"
  cmp -s "$work/names.expected" "$work/names.actual" || fail "$3: other files than the Linux build's: $(cat "$work/names.actual")"
  for file in "$1"/*.csv; do
    cmp -s "$file" "$2/$(basename "$file")" || fail "$3: $(basename "$file") differs from the Linux build's"
  done
}

(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"

# What the Linux build writes for the demo installation.
build/bin/kexporter-demo --dir "$work/linux" >/dev/null
mkdir "$work/expected"
PEL_REGISTRY=$work/linux/registry.reg build/bin/Kexporterrun --console --yes --output "$work/expected" \
  >"$work/linux.out" 2>&1 || { cat "$work/linux.out" >&2; fail "the Linux build failed"; }

echo "The Windows zip in a new Wine prefix"
./scripts/wine-prefix.sh start "$WINEPREFIX"
# As a Japanese Windows reads the names: CP932.
bsdtar --options hdrcharset=CP932 -xf "$zip" -C "$WINEPREFIX/drive_c"
[ -f "$WINEPREFIX/drive_c/Kexporterrun-$version/使い方.txt" ] || fail "the zip holds no 使い方.txt"
build/bin/kexporter-demo --windows --dir "$work/windows" >/dev/null
./scripts/wine-run.sh regedit /S "$(winpath "$work/windows/registry.reg")"
mkdir "$work/from-zip"
./scripts/wine-run.sh "C:\\Kexporterrun-$version\\Kexporterrun.exe" --console --yes \
  --output "$(winpath "$work/from-zip")" >"$work/zip.out" 2>&1 || { cat "$work/zip.out" >&2; fail "the zip's program failed"; }
same_export "$work/expected" "$work/from-zip" "zip"

echo "The Debian package on this machine"
$SUDO dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || $SUDO apt-get -f install -y >>"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log" >&2; fail "the package does not install"; }
files=$(dpkg -L kexporterrun)
[ "$(command -v Kexporterrun)" = /usr/bin/Kexporterrun ] || fail "Kexporterrun is not on the path"
mkdir "$work/from-deb"
(cd "$work" && PEL_REGISTRY=$work/linux/registry.reg Kexporterrun --console --yes --output "$work/from-deb") \
  >"$work/deb.out" 2>&1 || { cat "$work/deb.out" >&2; fail "the installed program failed"; }
same_export "$work/expected" "$work/from-deb" "package"
$SUDO dpkg --purge kexporterrun >/dev/null
for file in $files; do
  [ -d "$file" ] && [ ! -L "$file" ] && [ -n "$(ls -A "$file")" ] && continue  # a folder other packages share
  if [ -e "$file" ] || [ -L "$file" ]; then fail "left behind: $file"; fi
done
echo "Both installed releases export the demo as the Linux build does"
