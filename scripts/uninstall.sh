#!/usr/bin/env bash
# Removes what install.sh put into a Wine prefix: the modules, the Today item's registry key
# and the XML DOM stand-in's registration, after which Wine's own msxml.dll is registered for the
# class again. The user's config.xml and records.csv stay, and with them the directory.
#   uninstall.sh PREFIX [INSTALL_DIR]     INSTALL_DIR defaults to C:\Program Files\Ulvo
set -euo pipefail
source "$(dirname "$0")/flavour.sh"
export WINEPREFIX=$(realpath -m "${1:?usage: uninstall.sh PREFIX [INSTALL_DIR]}")
WIN_DIR=${2:-'C:\Program Files\Ulvo'}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

ITEM_KEY='HKLM\Software\Microsoft\Today\Items\Ulvo'
MODULES=(Main.exe ulvo.dll UlvoRes.dll aygshell.dll xmldom.dll)

[ -d "$WINEPREFIX/dosdevices" ] || { echo "uninstall: no Wine prefix at $WINEPREFIX" >&2; exit 1; }
drive=${WIN_DIR:0:1}
rest=${WIN_DIR:2}
DEST="$WINEPREFIX/dosdevices/${drive,,}:${rest//\\//}"

if [ -f "$DEST/xmldom.dll" ]; then
    wine regsvr32 /s /u "$WIN_DIR\\xmldom.dll" </dev/null >/dev/null 2>&1 || true
    wine regsvr32 /s msxml.dll </dev/null >/dev/null 2>&1 || true
fi
for m in "${MODULES[@]}"; do
    rm -f "$DEST/$m"
done
rmdir "$DEST" 2>/dev/null || true
wine reg delete "$ITEM_KEY" /f >/dev/null 2>&1 || true
echo "uninstall: removed from $WIN_DIR"
