#!/bin/sh
# Installs the Debian packages that building and testing need.
# Idempotent: does nothing when every package is already installed.
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
clang
libclang-rt-14-dev
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing:$missing"
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
