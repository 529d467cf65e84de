#!/bin/sh
# Builds PostgreSQL's client library for the Windows build from Debian's own
# source packages (Debian's patches applied), with TLS by OpenSSL linked into
# the DLL, so that it needs only Windows' own DLLs. Usage:
# build-windows-libpq.sh DIR. Installs into DIR:
#   include/                libpq-fe.h and the headers it includes
#   lib/libpq.dll.a         import library
#   bin/libpq.dll
#   share/licenses/         PostgreSQL.txt and OpenSSL.txt
#   VERSIONS                the two source versions, one "package version" a line
# Does nothing when DIR/VERSIONS already names the versions it would build.
# Needs the MinGW-w64 cross compiler, perl, make and dpkg-dev.
set -eu
out=$1
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
triple=x86_64-w64-mingw32
jobs=2
# A compiler or flags from the caller's environment would leak into both
# configure steps.
unset CC CFLAGS CPPFLAGS LDFLAGS LIBS CROSS_COMPILE MAKEFLAGS MFLAGS MAKELEVEL

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs one build step quietly; its log is shown only when it fails.
quiet() {
  log=$work/$1.log
  shift
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "$0: failed: $*" >&2; exit 1; }
}

# apt-cache lists versions the mirror no longer (or not yet) holds: at the time
# of writing openssl 3.0.22-1~deb12u2 and postgresql-15 15.20-0+deb12u1 were
# listed but gave 404, while openssl 3.0.20-1~deb12u2 and 3.0.17-1~deb12u2 and
# postgresql-15 15.18-0+deb12u1 downloaded. So the newest version that
# downloads is built.
newest_first() {
  # dpkg's own ordering: sort -V puts 1.0-1~deb12u1 after 1.0-1.
  remaining=$(apt-cache showsrc "$1" | sed -n 's/^Version: //p')
  while [ -n "$remaining" ]; do
    best=
    for v in $remaining; do
      if [ -z "$best" ] || dpkg --compare-versions "$v" gt "$best"; then best=$v; fi
    done
    echo "$best"
    remaining=$(printf '%s\n' "$remaining" | grep -vxF "$best" || true)
  done
}

# Whether the mirror serves a version: its small .dsc is fetched as a probe.
downloads() {
  uri=$(apt-get source --print-uris "$1=$2" 2>/dev/null |
    sed -n "s/^'\([^']*\.dsc\)' .*/\1/p")
  rm -f "$work/probe.dsc"
  [ -n "$uri" ] &&
    /usr/lib/apt/apt-helper download-file "$uri" "$work/probe.dsc" >/dev/null 2>&1
}

# The version of a package to build: the one DIR was built from, unless a
# newer one downloads (no probe at all when the newest is the one built).
pick() {
  for v in $(newest_first "$1"); do
    if [ -f "$out/VERSIONS" ] && grep -qxF "$1 $v" "$out/VERSIONS"; then
      echo "$v"
      return 0
    fi
    if downloads "$1" "$v"; then
      echo "$v"
      return 0
    fi
  done
  echo "$0: no version of $1 downloads" >&2
  return 1
}

ssl_version=$(pick openssl)
pg_version=$(pick postgresql-15)
printf 'openssl %s\npostgresql-15 %s\n' "$ssl_version" "$pg_version" >"$work/VERSIONS"
if [ -f "$out/VERSIONS" ] && cmp -s "$work/VERSIONS" "$out/VERSIONS"; then
  exit 0
fi

cd "$work"
# apt-get unpacks the packages with dpkg-source, which applies the patches.
quiet apt-source-openssl apt-get source "openssl=$ssl_version"
quiet apt-source-postgresql apt-get source "postgresql-15=$pg_version"
ssl_src=$work/$(find . -maxdepth 1 -type d -name 'openssl-*' | head -n 1)
pg_src=$work/$(find . -maxdepth 1 -type d -name 'postgresql-15-*' | head -n 1)
[ -f "$ssl_src/Configure" ] || { echo "$0: no OpenSSL source folder" >&2; exit 1; }
[ -f "$pg_src/configure" ] || { echo "$0: no PostgreSQL source folder" >&2; exit 1; }

# OpenSSL's static libraries, used from its build folder. The compiled-in
# folders (openssl.cnf, default CA files, provider modules) must be ones that
# only administrators can write on Windows, or any user could plant a config
# there; libpq does not use them, as it is given its certificate files
# explicitly (sslrootcert, sslcert, sslkey).
cd "$ssl_src"
quiet openssl-configure ./Configure mingw64 --cross-compile-prefix=$triple- \
  no-shared no-tests "--prefix=C:/Program Files/OpenSSL" --openssldir=ssl
quiet openssl-make make -j$jobs build_libs

# libpq as a DLL. configure finds the static libcrypto only with the Windows
# libraries it needs given too.
cd "$pg_src"
quiet libpq-configure ./configure --host=$triple --with-ssl=openssl \
  --without-readline --without-zlib --without-icu \
  "CPPFLAGS=-I$ssl_src/include" "LDFLAGS=-L$ssl_src" "LIBS=-lcrypt32 -lgdi32"
quiet libpq-headers make -j$jobs -C src/backend generated-headers
quiet libpq-make make -j$jobs -C src/interfaces/libpq

# Staged beside DIR and moved in whole, so that DIR is either the old build
# or the complete new one.
part=$out.part
rm -rf "$part"
mkdir -p "$part/include" "$part/lib" "$part/bin" "$part/share/licenses"
cp src/interfaces/libpq/libpq-fe.h src/interfaces/libpq/libpq-events.h \
  src/include/postgres_ext.h src/include/pg_config_ext.h "$part/include/"
cp src/interfaces/libpq/libpq.a "$part/lib/libpq.dll.a"
$triple-strip --strip-unneeded -o "$part/bin/libpq.dll" src/interfaces/libpq/libpq.dll
cp COPYRIGHT "$part/share/licenses/PostgreSQL.txt"
cp "$ssl_src/LICENSE.txt" "$part/share/licenses/OpenSSL.txt"
cp "$work/VERSIONS" "$part/VERSIONS"
rm -rf "$out.old"
if [ -e "$out" ]; then mv "$out" "$out.old"; fi
mv "$part" "$out"
rm -rf "$out.old"
