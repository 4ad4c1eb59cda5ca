#!/usr/bin/env bash
# The project's own Wine prefix: made on first use, kept headless (null graphics driver)
# unless a display is wanted, with Chinese fonts mapped so every window can render Chinese
# and without a visual theme, as the device has none.
#   wineprefix.sh start PREFIX [SERVER.dll...]   make the prefix if missing, keep one wineserver
#                                  for the run, and register the in-process servers given
#   wineprefix.sh stop  PREFIX   stop that wineserver and every process of the prefix
set -euo pipefail
source "$(dirname "$0")/flavour.sh"
cmd=${1:?start|stop}
export WINEPREFIX=${2:?prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

CJK_FONT="WenQuanYi Micro Hei"
# What the ready mark holds; a prefix marked with another (older) set-up is set up again.
SETUP_VERSION=2

make_prefix() {
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    local drv='HKCU\Software\Wine\Drivers'
    # ULVO_WINE_DISPLAY=1 (the run command): real windows on $DISPLAY instead of none.
    if [ "${ULVO_WINE_DISPLAY:-0}" = 1 ]; then
        wine reg delete "$drv" /v Graphics /f >/dev/null 2>&1 || true
    else
        wine reg add "$drv" /v Graphics /d null /f >/dev/null 2>&1
    fi
    local rep='HKCU\Software\Wine\Fonts\Replacements'
    for f in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Microsoft Sans Serif" "SimSun" "NSimSun" \
             "宋体" "新宋体" "System" "Arial" "Courier New"; do
        wine reg add "$rep" /v "$f" /d "$CJK_FONT" /f >/dev/null 2>&1
    done
    # Wine's default theme draws unlike the device, and its stretched tab background alone
    # costs a program's first paint several hundred milliseconds.
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
    # A fresh prefix's first server may fail to create windows: start the real run on a new one.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    echo "$SETUP_VERSION" >"$WINEPREFIX/.ulvo-ready"
}

# An in-process server (the XML DOM stand-in) is registered as any server is, by regsvr32;
# again whenever the DLL was rebuilt since, or another build's copy is named.
register_server() {
    local dll mark
    dll=$(realpath "$1")
    mark="$WINEPREFIX/.ulvo-registered-$(basename "$dll")"
    if [ -f "$mark" ] && [ "$mark" -nt "$dll" ] && [ "$(cat "$mark")" = "$dll" ]; then return; fi
    wine regsvr32 /s "Z:${dll//\//\\}" </dev/null >/dev/null 2>&1 || { echo "wineprefix: regsvr32 $dll failed" >&2; exit 1; }
    echo "$dll" >"$mark"
}

case "$cmd" in
start)
    [ "$(cat "$WINEPREFIX/.ulvo-ready" 2>/dev/null)" = "$SETUP_VERSION" ] || make_prefix
    # Already running (a run left it, or a developer started it): keep that one.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # Let the helper processes start now, with their output away from ours.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    for dll in "${@:3}"; do register_server "$dll"; done
    ;;
stop)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    ;;
*)  echo "usage: $0 start|stop PREFIX" >&2; exit 2 ;;
esac
