#!/bin/sh
# Makes or removes the private Wine prefix of a test run.
#   wine-prefix.sh start DIR   a new prefix in DIR, its server kept running
#   wine-prefix.sh stop DIR    the server ended and DIR removed
set -eu
action=$1
dir=$2
export WINEPREFIX="$dir"
# Ends the prefix's server and waits until it has ended: -k alone returns
# at once, and a server starting for the prefix meanwhile (whose folder a
# new one may take the place of) finds the old one still there and fails.
end_server() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
}
case "$action" in
  start)
    end_server
    rm -rf "$dir"
    mkdir -p "$dir"
    # A server that outlives each test by a minute: the tests that follow
    # start in a fraction of a cold start's time, and a run broken off
    # leaves no server behind for long.
    # The server and the helpers wineboot starts outlive this script: they
    # must not hold its output open, or CTest waits for them to end.
    /usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1
    # Through wine-run.sh, so the prefix is made with the tests' settings.
    "$(dirname "$0")/wine-run.sh" wineboot --init </dev/null >/dev/null 2>&1
    # Wine has no ＭＳ Ｐゴシック and would stand a fixed-pitch Japanese font
    # in for it, wider than Windows' own, which cuts the dialogs' texts.
    # IPAPGothic has its metrics, so the windows look as on Windows.
    for face in "ＭＳ Ｐゴシック" "MS PGothic"; do
      "$(dirname "$0")/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v "$face" /t REG_SZ /d IPAPGothic /f </dev/null >/dev/null 2>&1
    done
    ;;
  stop)
    end_server
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
