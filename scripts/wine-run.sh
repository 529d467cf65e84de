#!/bin/sh
# Runs a program of the Windows build under Wine: the emulator through which
# CTest starts the Windows tests. The prefix is WINEPREFIX (scripts/
# wine-prefix.sh makes it); Japanese locale, so the ANSI code page is 932.
set -eu
: "${WINEPREFIX:?WINEPREFIX names the private prefix of the test run}"
export WINEPREFIX
export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8
# No .NET or browser engine: Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The build's DLLs, for test programs that live outside their folder (Wine
# sees the Linux root as drive Z:).
if [ -n "${KEXPORTER_WINE_DLL_DIR:-}" ]; then
  WINEPATH="Z:$(printf '%s' "$KEXPORTER_WINE_DLL_DIR" | tr / '\\')"
  export WINEPATH
fi
exec /usr/lib/wine/wine64 "$@"
