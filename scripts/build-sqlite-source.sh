#!/bin/sh
# Makes SQLite's one-file source (sqlite3.c and sqlite3.h) from Debian's own
# source package, with Debian's patches applied, for the Windows build, which
# compiles it with the cross compiler. Usage: build-sqlite-source.sh DIR.
# Does nothing when DIR already holds both files.
set -eu
out=$1
if [ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ]; then
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# apt-get unpacks the package with dpkg-source, which applies the patches.
apt-get source sqlite3 >apt-source.log 2>&1 || { cat apt-source.log >&2; exit 1; }
src=$(find . -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)
[ -n "$src" ] || { echo "apt-get source sqlite3 gave no source folder" >&2; exit 1; }
cd "$src"
# The one-file source is made by the package's own build tools (tclsh).
./configure --disable-tcl >configure.log 2>&1 || { tail -n 30 configure.log >&2; exit 1; }
make sqlite3.c >make.log 2>&1 || { tail -n 30 make.log >&2; exit 1; }
mkdir -p "$out"
cp sqlite3.h "$out/sqlite3.h.part"
cp sqlite3.c "$out/sqlite3.c.part"
mv "$out/sqlite3.h.part" "$out/sqlite3.h"
mv "$out/sqlite3.c.part" "$out/sqlite3.c"
