#!/usr/bin/env bash
# Installs the programs into a Wine prefix as the device has them: Main.exe, ulvo.dll and
# UlvoRes.dll in one directory, with an example config.xml, and the Today item registered.
#   install.sh PREFIX BUILD_DIR [INSTALL_DIR]     INSTALL_DIR defaults to C:\Program Files\Ulvo
# The shell stand-in aygshell.dll goes beside Main.exe: a program's own directory is the first
# place its imports are looked for, the Today screen stand-in loads items so that their own
# directory comes first too, and the prefix's system directory stays Wine's alone. The XML DOM
# stand-in xmldom.dll goes there as well and is registered as the prefix's CLSID_DOMDocument
# server, which both programs create their documents from. Neither stand-in is part of the
# device's install.
set -euo pipefail
source "$(dirname "$0")/flavour.sh"
export WINEPREFIX=$(realpath -m "${1:?usage: install.sh PREFIX BUILD_DIR [INSTALL_DIR]}")
BUILD=$(realpath -m "${2:?usage: install.sh PREFIX BUILD_DIR [INSTALL_DIR]}")
WIN_DIR=${3:-'C:\Program Files\Ulvo'}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

ITEM_KEY='HKLM\Software\Microsoft\Today\Items\Ulvo'
MODULES=(Main.exe ulvo.dll UlvoRes.dll aygshell.dll xmldom.dll)

# C:\Program Files\Ulvo -> PREFIX/dosdevices/c:/Program Files/Ulvo
unix_path() {
    local win=$1
    local drive=${win:0:1}
    local rest=${win:2}
    echo "$WINEPREFIX/dosdevices/${drive,,}:${rest//\\//}"
}

[ -d "$WINEPREFIX/dosdevices" ] || { echo "install: no Wine prefix at $WINEPREFIX" >&2; exit 1; }
DEST=$(unix_path "$WIN_DIR")
mkdir -p "$DEST"

for m in "${MODULES[@]}"; do
    if [ -f "$BUILD/bin/$m" ]; then
        cp -f "$BUILD/bin/$m" "$DEST/$m"
    else
        echo "install: $m not built yet, skipped"
    fi
done

if [ -f "$DEST/xmldom.dll" ]; then
    wine regsvr32 /s "$WIN_DIR\\xmldom.dll" </dev/null >/dev/null 2>&1 || { echo "install: regsvr32 xmldom.dll failed" >&2; exit 1; }
fi

# An example start date 85 days back, so the first run shows a real status line.
if [ ! -f "$DEST/config.xml" ]; then
    start=$(date -d '85 days ago' '+%Y-%-m-%-d')
    printf '<?xml version="1.0" encoding="GB2312"?>\r\n<CONFIG><StartTime>%s</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n' \
        "$start" >"$DEST/config.xml"
    echo "install: example config.xml with start date $start"
fi

# How the Today shell finds, orders and enables the item.
if [ -f "$DEST/ulvo.dll" ]; then
    wine reg add "$ITEM_KEY" /v DLL /t REG_SZ /d "$WIN_DIR\\ulvo.dll" /f >/dev/null
    wine reg add "$ITEM_KEY" /v Type /t REG_DWORD /d 4 /f >/dev/null
    wine reg add "$ITEM_KEY" /v Enabled /t REG_DWORD /d 1 /f >/dev/null
    wine reg add "$ITEM_KEY" /v Order /t REG_DWORD /d 0 /f >/dev/null
    wine reg add "$ITEM_KEY" /v Options /t REG_DWORD /d 0 /f >/dev/null
else
    echo "install: ulvo.dll missing, Today item not registered"
fi
echo "install: $WIN_DIR ($DEST)"
