#!/usr/bin/env bash
# Shows the Today item on a simulated Pocket PC screen (240 x 320 at 96 dpi, or 480 x 640 at
# 192 dpi with --hidpi): builds, installs into the run's own Wine prefix (BUILD/run-prefix,
# Chinese locale, real windows) and starts the Today screen stand-in with the item.
# With $DISPLAY it stays on screen until closed (the x at the top right). Without one it runs
# on a private Xvfb screen, writes BUILD/screens/today.png, taps the item and, when Main.exe
# is installed, pictures each of its screens into BUILD/screens: main.png (page 今日),
# main-details.png, main-duedate.png, main-checkups.png, settings.png, due-date.png, about.png,
# help.png and, over an example records.csv written beside config.xml, kicks.png (the kick
# counter) and contractions.png (the contraction timer), the prefix's own config.xml and records.csv
# put back afterwards; then it stops everything it started.
#   run.sh [--hidpi]          ULVO_ARCH=i686|x86_64 picks the flavour, BUILD_DIR=... another build
#                             directory (default build/FLAVOUR, scripts/flavour.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

HIDPI=0
for arg in "$@"; do
    case "$arg" in
    --hidpi) HIDPI=1 ;;
    *) echo "usage: $0 [--hidpi]" >&2; exit 2 ;;
    esac
done
if [ "$HIDPI" = 1 ]; then
    SCREEN=480x640 DPI=192 HOST_ARGS=/hidpi
else
    SCREEN=240x320 DPI=96 HOST_ARGS=
fi

bash scripts/bootstrap.sh
source scripts/flavour.sh
ulvo_say_flavour
BUILD=$(realpath -m "$(ulvo_build_dir)")
ulvo_configure "$BUILD"
if ! cmake --build "$BUILD"; then
    # Show what can be shown: the stand-in is needed, the rest is installed when it built.
    echo "run: the full build failed; building the Today screen and whatever else builds" >&2
    cmake --build "$BUILD" --target todayhost shellpoke
    for t in ulvo UlvoRes aygshell Main; do
        cmake --build "$BUILD" --target "$t" >/dev/null 2>&1 || echo "run: $t did not build" >&2
    done
fi

export WINEPREFIX="$BUILD/run-prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
BIN="$BUILD/bin"
SCREENS="$BUILD/screens"
source scripts/xscreen.sh
HOST_PID=""

stop_all() {
    if [ -n "$HOST_PID" ] && kill -0 "$HOST_PID" 2>/dev/null; then
        wine "$BIN/shellpoke.exe" close DesktopExplorerWindow >/dev/null 2>&1 || true
        for _ in $(seq 50); do kill -0 "$HOST_PID" 2>/dev/null || break; sleep 0.1; done
    fi
    scripts/wineprefix.sh stop "$WINEPREFIX" || true
    [ -z "${INSTALLED:-}" ] || restore_user_files
    xscreen_stop
}
trap stop_all EXIT
trap 'exit 130' INT TERM

INTERACTIVE=0
if [ -n "${DISPLAY:-}" ]; then
    INTERACTIVE=1
else
    xscreen_start "$SCREEN" || exit 1
fi

# The run's prefix draws on a display, unlike the tests' headless one.
ULVO_WINE_DISPLAY=1 scripts/wineprefix.sh start "$WINEPREFIX"
wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null
bash scripts/install.sh "$WINEPREFIX" "$BUILD"
# A changed density takes effect with a new server.
scripts/wineprefix.sh stop "$WINEPREFIX"
ULVO_WINE_DISPLAY=1 scripts/wineprefix.sh start "$WINEPREFIX"

wine "$BIN/todayhost.exe" $HOST_ARGS >/dev/null 2>&1 &
HOST_PID=$!

if [ "$INTERACTIVE" = 1 ]; then
    echo "run: the Today screen is on $DISPLAY ($SCREEN, $DPI dpi); tap the item, close with the x at the top right"
    wait "$HOST_PID" || true
    exit 0
fi

# What Main shows, driven as a user would: its pages by their labels, its dialogs by the
# commands of its menu (the numbers its resource header gives them).
poke() { wine "$BIN/shellpoke.exe" "$@" >/dev/null 2>&1; }
command_id() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3 }' resources/main_ids.h; }
picture() {
    import -window root "$SCREENS/$1"
    echo "run: $2: $SCREENS/$1"
}
page_picture() {
    poke page "$1" || { echo "run: page $1 could not be selected" >&2; return 1; }
    sleep 1
    picture "$2" "$3"
}
dialog_picture() {
    poke command MAIN "$(command_id "$1")"
    poke wait '#32770' 30 || { echo "run: $1 brought up no dialog" >&2; return 1; }
    sleep 2
    picture "$3" "$4"
    poke command '#32770' "$(command_id "$2")"
    poke gone '#32770' 30
}
# The record dialogs' examples, relative to the moment the run makes them: config.xml with a start
# date some days back, and records.csv of events some seconds before now.
example_config() {   # DAYS_BACK
    printf '<?xml version="1.0" encoding="GB2312"?>\r\n<CONFIG><StartTime>%s</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n' \
        "$(date -d "$1 days ago" '+%Y-%-m-%-d')" >"$INSTALLED/config.xml"
}
EVENTS=()           # "SECONDS_AGO,EVENT" of the example records.csv
write_records() {    # records.csv of EVENTS, oldest first as the file grows, CRLF line ends
    local now s e
    now=$(date +%s)
    { echo "time,event"
      printf '%s\n' "${EVENTS[@]}" | sort -t, -k1,1 -rn |
          while IFS=, read -r s e; do date -d "@$((now - s))" "+%Y-%m-%d %H:%M:%S,$e"; done
    } | sed 's/$/\r/' >"$INSTALLED/records.csv"
}
kick_hour() {        # SECONDS_AGO MINUTES...: an hour begun that long ago, a tap at each minute of it
    local m
    for m in "${@:2}"; do EVENTS+=("$(($1 - m * 60)),kick"); done
}
kick_example() {     # week 28: two hours counted today, the third running, some days before
    example_config 200
    local d h
    for d in 5 3 2 1; do
        for h in 14 10 5; do kick_hour $((d * 86400 + h * 3600)) 0 6 13 $((20 + d)) 38 $((50 - 3 * d)); done
    done
    kick_hour 18000 0 2 7 15 31 44
    kick_hour 9000 0 9 12 26 40
    kick_hour 1200 0 3 8 15
    write_records
}
contraction_example() {   # week 38: an hour of them about 5 minutes apart, a minute each, the last 3 minutes ago
    example_config 270
    local i s
    for i in $(seq 0 13); do
        s=$((180 + i * 290))
        EVENTS+=("$s,contraction_start" "$((s - 60 - i % 3 * 5)),contraction_end")
    done
    write_records
}
# The examples stand in for what the run's prefix holds of the user's own: kept aside while they are
# shown, put back afterwards, also when the run is cut short.
USER_FILES=(config.xml records.csv)
keep_user_files() {
    local f
    for f in "${USER_FILES[@]}"; do
        rm -f "$INSTALLED/$f.run-kept" "$INSTALLED/$f.run-none"
        if [ -f "$INSTALLED/$f" ]; then cp -p "$INSTALLED/$f" "$INSTALLED/$f.run-kept"; else : >"$INSTALLED/$f.run-none"; fi
    done
}
restore_user_files() {
    local f
    for f in "${USER_FILES[@]}"; do
        if [ -f "$INSTALLED/$f.run-kept" ]; then
            mv -f "$INSTALLED/$f.run-kept" "$INSTALLED/$f"
        elif [ -f "$INSTALLED/$f.run-none" ]; then
            rm -f "$INSTALLED/$f" "$INSTALLED/$f.run-none"
        fi
    done
}
main_screens() {
    page_picture 1 main-details.png "page 详情" &&
    page_picture 2 main-duedate.png "page 预产期" &&
    page_picture 3 main-checkups.png "page 产检" &&
    dialog_picture IDM_SETTINGS IDM_SETTINGS_EXIT settings.png "settings dialog" &&
    dialog_picture IDM_DUE_DATE_SETUP IDM_SETTINGS_EXIT due-date.png "due-date dialog" &&
    dialog_picture IDM_ABOUT IDM_DIALOG_OK about.png "About dialog" &&
    dialog_picture IDM_HELP IDM_DIALOG_OK help.png "Help dialog" &&
    keep_user_files &&
    kick_example && dialog_picture IDM_KICKS IDM_DIALOG_OK kicks.png "kick counter" &&
    contraction_example && dialog_picture IDM_CONTRACTIONS IDM_DIALOG_OK contractions.png "contraction timer"
}

mkdir -p "$SCREENS"
INSTALLED="$WINEPREFIX/drive_c/Program Files/Ulvo"
status=0
if [ ! -f "$INSTALLED/ulvo.dll" ]; then
    echo "run: ulvo.dll not installed; the Today screen shows no item" >&2
    wine "$BIN/shellpoke.exe" wait HHTaskBar 30 >/dev/null 2>&1 || true
    sleep 2
    status=1
elif wine "$BIN/shellpoke.exe" wait Ulvo 60 >/dev/null 2>&1; then
    sleep 2   # let the item paint its first line
else
    echo "run: the item window did not appear" >&2
    status=1
fi
picture today.png "Today screen"

if [ -f "$INSTALLED/Main.exe" ] && [ "$status" = 0 ]; then
    wine "$BIN/shellpoke.exe" tap Ulvo >/dev/null 2>&1 || true
    if wine "$BIN/shellpoke.exe" wait MAIN 60 >/dev/null 2>&1; then
        sleep 2
        wine "$BIN/shellpoke.exe" lower DesktopExplorerWindow >/dev/null 2>&1 || true
        sleep 1
        picture main.png "main program after the tap, page 今日"
        main_screens || status=1
    else
        echo "run: the tap did not bring up Main.exe's window" >&2
        status=1
    fi
else
    echo "run: Main.exe not installed; no tap"
fi
exit "$status"
