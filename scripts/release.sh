#!/bin/sh
# The release an operator installs, written into dist/:
#   Kexporterrun-VERSION-win64.zip  one folder: Kexporterrun.exe and its DLLs
#                                   (PostgreSQL's client with OpenSSL among
#                                   them), Kexporter.ini, 使い方.txt and the
#                                   licences of what the program carries;
#                                   texts in CP932 with CR LF, names in CP932
#                                   as Japanese Windows' Explorer reads them
#   kexporterrun_VERSION_amd64.deb  the program and its libraries in
#                                   /usr/lib/kexporterrun/, Kexporterrun on the
#                                   path, the guide in /usr/share/doc/
#   SHA256SUMS
# Builds both with the project's presets (warnings are errors) first. The
# version is the build's own (project() in CMakeLists.txt).
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
umask 022
./scripts/install-deps.sh
cmake --preset default -DKEXPORTER_WERROR=ON >/dev/null
cmake --build --preset default --target Kexporterrun
cmake --preset windows -DKEXPORTER_WERROR=ON -DKEXPORTER_WITH_POSTGRESQL=ON >/dev/null
cmake --build --preset windows --target Kexporterrun

version=$(sed -n 's/^#define KEXPORTER_VERSION "\(.*\)"$/\1/p' build/kexporter/frontend/ProgramVersion.h)
[ -n "$version" ] || { echo "$0: the build names no version" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf dist
mkdir dist

# UTF-8 text with LF (stdin) as CP932 with CR LF, as Notepad on a Japanese
# Windows opens it; iconv fails on a character CP932 lacks.
windows_text() {
  iconv -f UTF-8 -t CP932 | sed 's/$/\r/'
}

# SQLite's notice: its authors' blessing at the head of the source built in.
sqlite_notice() {
  echo "SQLite $(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' .deps-windows/sqlite/sqlite3.h)"
  echo "https://www.sqlite.org/copyright.html"
  echo
  awk '/The author disclaims copyright/ { on = 1 } on && /^\*\*\*\*/ { exit } on' .deps-windows/sqlite/sqlite3.h |
    sed 's/^\*\* \{0,1\}//'
}

# The licences of what the Windows program carries linked in or beside it.
windows_licences() {
  dir=$1
  mkdir -p "$dir"
  sqlite_notice | windows_text > "$dir/SQLite.txt"
  for name in PostgreSQL OpenSSL; do
    windows_text < ".deps-windows/libpq/share/licenses/$name.txt" > "$dir/$name.txt"
  done
  # libstdc++ and libgcc (GPL 3 with the GCC Runtime Library Exception),
  # and the MinGW-w64 runtime with winpthreads.
  sed 's/$/\r/' /usr/share/doc/gcc-12-base/copyright > "$dir/GCC-runtime.txt"
  sed 's/$/\r/' /usr/share/common-licenses/GPL-3 > "$dir/GPL-3.txt"
  sed 's/$/\r/' /usr/share/doc/mingw-w64-common/copyright > "$dir/MinGW-w64.txt"
}

# The settings file at the defaults, so that it changes nothing until the
# operator edits it.
settings_file() {
  windows_text <<'EOF'
; Kexporterrun の設定ファイルです。値は = の右を書き換えてください。
[Kexporter]
; CSV ファイル 1 つあたりの行数（見出し行を含む）。既定値は 20000 です。
CSVMAXLINE=20000
; グループのメンバー（あて先の GUID）を区切る文字列。既定値は & です。
GUIDSPLIT=&
; V2 または V3 で旧版（NXV4）の環境を読みます。空なら NXV5 の環境です。
VERSION=
EOF
}

make_zip() {
  folder="Kexporterrun-$version"
  stage=$work/zip/$folder
  mkdir -p "$stage"
  for file in build-windows/bin/Kexporterrun.exe build-windows/bin/*.dll; do
    x86_64-w64-mingw32-strip --strip-unneeded -o "$stage/$(basename "$file")" "$file"
  done
  settings_file > "$stage/Kexporter.ini"
  windows_text < doc/使い方.txt > "$stage/$(printf '使い方.txt' | iconv -f UTF-8 -t CP932)"
  windows_licences "$stage/licenses"
  # In the C locale zip stores the names' bytes as they are, without the
  # UTF-8 flag: a Japanese Windows reads such names as CP932.
  (cd "$work/zip" && LC_ALL=C zip -q -X -r "$top/dist/$folder-win64.zip" "$folder")
}

make_deb() {
  package=$work/deb/debian/kexporterrun
  lib=$package/usr/lib/kexporterrun
  doc=$package/usr/share/doc/kexporterrun
  mkdir -p "$lib/bin" "$lib/lib" "$package/usr/bin" "$doc" "$package/DEBIAN"
  strip --strip-unneeded -o "$lib/bin/Kexporterrun" build/bin/Kexporterrun
  for library in Pelcore04 VekCommon_QT4 VekOdb_QT4 VekPel_QT4 KexporterDialogs; do
    strip --strip-unneeded -o "$lib/lib/lib$library.so" "build/lib/lib$library.so"
    chmod 0644 "$lib/lib/lib$library.so"
  done
  ln -s ../lib/kexporterrun/bin/Kexporterrun "$package/usr/bin/Kexporterrun"
  cp doc/使い方.txt "$doc/使い方.txt"
  cat > "$doc/copyright" <<'EOF'
Kexporterrun, the one-shot migration exporter of the Orvel Document Router's
user-management database, and VekPel_QT4, its configuration library.

The program uses Debian's own Qt 6, SQLite and PostgreSQL client libraries,
installed as dependencies of this package; their licences are in their own
packages' /usr/share/doc folders.
EOF
  # Dependencies from the binaries, as Debian's own packages compute them.
  printf 'Source: kexporterrun\n\nPackage: kexporterrun\nArchitecture: amd64\n' > "$work/deb/debian/control"
  depends=$(cd "$work/deb" && dpkg-shlibdeps -O -l"debian/kexporterrun/usr/lib/kexporterrun/lib" \
    debian/kexporterrun/usr/lib/kexporterrun/bin/Kexporterrun debian/kexporterrun/usr/lib/kexporterrun/lib/*.so \
    2>"$work/shlibdeps.log" | sed -n 's/^shlibs:Depends=//p') ||
    { cat "$work/shlibdeps.log" >&2; exit 1; }
  [ -n "$depends" ] || { cat "$work/shlibdeps.log" >&2; exit 1; }
  # The PostgreSQL client is loaded at run time, for Remote installations
  # only, so no binary names it.
  depends="$depends, libpq5"
  cat > "$package/DEBIAN/control" <<EOF
Package: kexporterrun
Version: $version
Architecture: amd64
Maintainer: Kexporterrun developers <kexporterrun@localhost>
Section: utils
Priority: optional
Installed-Size: $(du -sk --exclude=DEBIAN "$package" | cut -f1)
Depends: $depends
Description: one-shot migration exporter of the Orvel Document Router
 Reads the user-management database of an Orvel Document Router
 installation (destinations, group destinations, fax sender IDs) and writes
 CSV files in CP932 and a run log into an empty folder, for import into the
 target product. Run it as Kexporterrun; the operator's guide is
 /usr/share/doc/kexporterrun/使い方.txt.
EOF
  dpkg-deb --root-owner-group --build "$package" "dist/kexporterrun_${version}_amd64.deb" >/dev/null
}

make_zip
make_deb
(cd dist && sha256sum -- *.zip *.deb > SHA256SUMS)
echo "Release $version in dist/:"
ls -l dist
