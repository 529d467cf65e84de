#!/bin/sh
# Runs a command on a private X server of 1024x768 (Xvfb) with a window
# manager (openbox), so that the windows are framed as on a desktop.
set -eu
dir=$(mktemp -d)
wm=
cleanup() {
  if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$dir"
}
# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

waitFor() {
  i=0
  until "$@"; do
    i=$((i + 1))
    if [ "$i" -gt 100 ]; then return 1; fi
    sleep 0.1
  done
}

if ! waitFor test -s "$dir/display"; then
  cat "$dir/xvfb.log" >&2
  exit 1
fi
DISPLAY=:$(cat "$dir/display")
XDG_RUNTIME_DIR=$dir
export DISPLAY XDG_RUNTIME_DIR
HOME="$dir" openbox --sm-disable >"$dir/wm.log" 2>&1 &
wm=$!
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! waitFor managed; then
  cat "$dir/wm.log" >&2
  exit 1
fi
"$@"
