#!/bin/sh
# Installs the Debian packages that building and testing need.
# Idempotent: does nothing when every package, the source entries and the
# Japanese locale are already there.
set -eu

PACKAGES="
build-essential
cmake
ninja-build
pkg-config
libsqlite3-dev
sqlite3
e2fsprogs
qt6-base-dev
qt6-svg-dev
qt6-translations-l10n
libxcb1-dev
xvfb
openbox
x11-utils
libcli11-dev
googletest
libgtest-dev
libgmock-dev
fonts-ipafont-gothic
fontconfig
libpq-dev
postgresql
openssl
clang
libclang-rt-14-dev
g++-mingw-w64-x86-64-posix
mingw-w64-tools
wine64
librsvg2-bin
icoutils
imagemagick
dpkg-dev
perl
zip
libarchive-tools
tcl
locales
"

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

# The Windows build compiles SQLite from Debian's own source package, so apt
# needs the source entries of the archive it already uses.
need_update=""
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  if [ ! -f /etc/apt/sources.list.d/kexporter-deb-src.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $SUDO tee /etc/apt/sources.list.d/kexporter-deb-src.sources >/dev/null
    need_update=yes
  fi
elif [ ! -f /etc/apt/sources.list.d/kexporter-deb-src.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
    $SUDO tee /etc/apt/sources.list.d/kexporter-deb-src.list >/dev/null
  need_update=yes
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update
  need_update=""
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi
if [ -n "$need_update" ]; then
  $SUDO apt-get update
fi

# The Windows tests run under Wine with the Japanese code page (932), which
# Wine takes from the locale ja_JP.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
