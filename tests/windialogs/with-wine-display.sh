#!/bin/sh
# Runs a command in a Wine prefix of its own made on the X display that
# tests/support/with-x-server.sh provides (run this script under it): Wine's
# desktop takes the display it was started with, and the test run's shared
# prefix has none. Takes the screenshots the command asks for: a file
# NAME.request in SHOTS (the first argument) that holds an X geometry
# (WxH+X+Y) becomes NAME.png, that part of the screen as ImageMagick's
# import sees it.
set -eu
shots=$1
shift
dir=$(mktemp -d)
poller=
prefix=
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
cleanup() {
  if [ -n "$prefix" ]; then "$scripts/wine-prefix.sh" stop "$prefix" || true; fi
  if [ -n "$poller" ]; then kill "$poller" 2>/dev/null || true; fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

prefix=$dir/wine-prefix
WINEPREFIX=$prefix
export WINEPREFIX
"$scripts/wine-prefix.sh" start "$prefix"
# Wine draws the title bars itself, as Windows would for each window's style
# (the window manager's own would show every button on every window), and
# shows the dialog font with its metric-compatible substitute.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
} | iconv -f UTF-8 -t UTF-16LE >"$dir/settings.body"
{ printf '\377\376'; cat "$dir/settings.body"; } >"$dir/settings.reg"
"$scripts/wine-run.sh" regedit /S "Z:$(printf '%s' "$dir/settings.reg" | tr / '\\')"

mkdir -p "$shots"
rm -f "$shots"/*.request "$shots"/*.png
(
  while :; do
    for request in "$shots"/*.request; do
      [ -e "$request" ] || continue
      name=${request%.request}
      import -window root -crop "$(cat "$request")" +repage "png:$name.part" 2>>"$dir/import.log" &&
        mv "$name.part" "$name.png"
      rm -f "$request"
    done
    sleep 0.1
  done
) &
poller=$!
"$@"
