#!/usr/bin/env bash
# Runs a test executable on real screens: a private Xvfb display of each given size, in the
# build's second prefix (build/xprefix, real windows instead of the null driver), one
# wineserver per screen so the desktop takes that screen's size. ULVO_SCREEN names the shape.
#   on_screen.sh SOURCE_DIR BUILD_DIR EXE portrait:240x320 landscape:320x240 ...
set -euo pipefail
SRC=$1 BUILD=$2 EXE=$3
shift 3
export WINEPREFIX="$BUILD/xprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

display=""
xvfb_pid=""
stop_screen() {
    "$SRC/scripts/wineprefix.sh" stop "$WINEPREFIX" || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    xvfb_pid=""
}
trap stop_screen EXIT

status=0
for screen in "$@"; do
    name=${screen%%:*} size=${screen#*:}
    for n in $(seq 70 99); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
    Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
    export DISPLAY=$display
    ULVO_WINE_DISPLAY=1 "$SRC/scripts/wineprefix.sh" start "$WINEPREFIX" "$BUILD/bin/xmldom.dll"
    echo "on_screen: $name ($size) on $display"
    ULVO_SCREEN=$name wine "$EXE" || status=1
    stop_screen
done
exit $status
