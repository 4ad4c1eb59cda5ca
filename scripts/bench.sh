#!/usr/bin/env bash
# Builds what ships and the bench programs, runs them under Wine in the build's own prefix and
# prints one table: each figure, how it was measured, its target and PASS or MISS.
# The timings run on the flavour this machine runs (scripts/flavour.sh); the size and import rows
# always describe the device's i686 modules, built apart where the timings ran on x86_64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
source scripts/flavour.sh
ulvo_say_flavour >&2
BUILD=$(ulvo_build_dir)
ulvo_configure "$BUILD"
cmake --build "$BUILD" >/dev/null
BUILD=$(cd "$BUILD" && pwd)
if [ "$ULVO_ARCH" = i686 ]; then
    DEVICE_BIN="$BUILD/bin" DEVICE_HOW="file size"
else
    DEVICE_BUILD=${DEVICE_BUILD_DIR:-build/i686}
    ulvo_configure "$DEVICE_BUILD" i686
    cmake --build "$DEVICE_BUILD" --target ulvo Main UlvoRes aygshell xmldom >/dev/null
    DEVICE_BIN="$(cd "$DEVICE_BUILD" && pwd)/bin"
    DEVICE_HOW="file size of the i686 build, built, not run (the timings ran on x86_64)"
fi
PREFIX="$BUILD/wineprefix"
XPREFIX="$BUILD/xprefix"   # real windows, for the start-up on the device's screen
RUN="$BUILD/wine-run.sh"
BIN="$BUILD/bin"
source scripts/xscreen.sh

scripts/wineprefix.sh start "$PREFIX" "$BIN/xmldom.dll"
trap 'scripts/wineprefix.sh stop "$PREFIX"; scripts/wineprefix.sh stop "$XPREFIX"; xscreen_stop' EXIT

REFRESH_CALLS=5000 SAVES=500 LAUNCHES=25 SOAK_CYCLES=100000 SOAK_PAINTS=10000 SOAK_RECREATES=2000
FUZZ_FILES=100000 CONCURRENT_SAVES=1000
# The main program's fuzz takes each file through start-up and a save as well (about 8 ms a
# case here, four times the reading alone), so it runs fewer files than the item's.
FUZZ_PATH_FILES=30000 KILLS=120 BIG_REFRESH_CALLS=2000 RECORD_TIMINGS=200 TAP_KILLS=120

declare -A V
keep() { while read -r k v; do [ -n "$k" ] && V[$k]=$v; done; }   # a bench program's "key value" lines
collect() { keep < <(cd "$BIN" && "$RUN" "$@" | tr -d '\r'); }       # runs one in the headless prefix
echo "bench: refresh, save ..." >&2
collect bench_item.exe refresh $REFRESH_CALLS
collect bench_main.exe save $SAVES
# Start-up where the device has it: a 240 x 320 screen (Xvfb) at 96 dpi.
echo "bench: start-up on a 240 x 320 screen ..." >&2
xscreen_start 240x320
ULVO_WINE_DISPLAY=1 scripts/wineprefix.sh start "$XPREFIX" "$BIN/xmldom.dll"
keep < <(cd "$BIN" && WINEPREFIX="$XPREFIX" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
         WINEDLLOVERRIDES="mscoree,mshtml=" wine bench_launch.exe $LAUNCHES | tr -d '\r')
scripts/wineprefix.sh stop "$XPREFIX"
xscreen_stop
echo "bench: soak ..." >&2
collect bench_item.exe soak $SOAK_CYCLES $SOAK_PAINTS $SOAK_RECREATES
echo "bench: fuzz ..." >&2
collect bench_item.exe fuzz-run $FUZZ_FILES 10000
collect bench_main.exe fuzz-run $FUZZ_PATH_FILES 10000
echo "bench: concurrent saves ..." >&2
collect bench_main.exe concurrent $CONCURRENT_SAVES
echo "bench: kills during save, 10 MB refresh ..." >&2
collect bench_main.exe kills $KILLS
collect bench_item.exe refresh-big $BIG_REFRESH_CALLS
echo "bench: record dialogs, kills during taps ..." >&2
collect bench_main.exe records $RECORD_TIMINGS
collect bench_main.exe tap-kills $TAP_KILLS

get() { echo "${V[$1]:-?}"; }
verdict() { if awk "BEGIN { exit !($1) }" 2>/dev/null; then echo PASS; else echo MISS; fi; }
SYSTEM_DLLS='kernel32|user32|gdi32|advapi32|ole32|oleaut32|shell32|comctl32|msvcrt'
imports() { i686-w64-mingw32-objdump -p "$DEVICE_BIN/$1" | awk '/DLL Name:/ { print $3 }' | paste -sd' ' -; }
imports_ok() {   # MODULE [EXTRA_DLL]: every import a system DLL (or the one named)
    local d
    for d in $(imports "$1"); do echo "$d" | tr 'A-Z' 'a-z' | grep -Eq "^($SYSTEM_DLLS${2:+|$2})\.dll$" || return 1; done
}
size() { stat -c %s "$DEVICE_BIN/$1"; }

R=$(get refresh_median_us); M=$(get msxml_median_us); F=$(get file_median_us)
RATIO=$(awk "BEGIN { printf \"%.1f\", $M / $R }")
FILE_RATIO=$(awk "BEGIN { printf \"%.2f\", $R / $F }")
ULVO=$(size ulvo.dll); MAIN=$(size Main.exe); RES=$(size UlvoRes.dll)
KIB=1024
HEAP_DELTA=$(( $(get soak_after_heap) - $(get soak_before_heap) ))
COUNTED=$(get soak_counted)
how_counted() { [ "${COUNTED:$1:1}" = 1 ] && echo "$2" || echo "$3"; }

row() { printf '| %s | %s | %s | %s | %s |\n' "$@"; }
echo
echo "Ulvo bench, $(date -u +%Y-%m-%d), timings of the $ULVO_ARCH build under $(wine --version) on $(nproc) CPUs; one run of this command."
echo
row "What" "Figure" "How measured" "Target" "Result"
row "---" "---" "---" "---" "---"
row "Refresh (CalculatePragnantTime)" "$R µs" "median of $REFRESH_CALLS calls in one process: document made from the class object the item got at its initialisation (CoGetClassObject of the registered stand-in xmldom.dll, then IClassFactory::CreateInstance), config.xml (GB2312) loaded, two values read, classified, formatted, released" "—" "—"
row "  bare file access" "$F µs" "GetFileAttributes, open, read, close of the same file, interleaved call by call with the row above: the floor of any refresh (Wine's file system cost)" "—" "—"
row "Refresh / bare file access" "${FILE_RATIO}×" "ratio of the two medians above" "≤ 1.3×" "$(verdict "$FILE_RATIO <= 1.3")"
row "  of which making the document" "$(get create_median_us) µs" "the item's own InitXMLDOMDocument and ReleaseXMLDOMDocument alone, from its class object, interleaved with the rows above" "—" "—"
row "Same document work via msxml3" "$M µs" "Wine's msxml3.dll loaded by its file (the class id names the stand-in here), its class object asked for once (DllGetClassObject) and each document made from it as the item makes its own: CreateInstance, load UTF-8 copy, selectSingleNode CONFIG, find both children, get_text, release; interleaved call by call with the rows above" "—" "—"
row "Refresh speed-up over msxml3" "${RATIO}×" "ratio of the msxml3 median to the refresh median" "≥ 8×" "$(verdict "$RATIO >= 8")"
row "Settings save (SaveSettings)" "$(get save_median_us) µs" "median of $SAVES saves of date and method, the dialog's calendar and radio button on a hidden window; $(get save_failed) failed" "—" "—"
row "Main.exe start to first painted window" "$(get launch_main_ms) ms" "on an Xvfb screen of $(get launch_screen) pixels at $(get launch_screen_dpi) dpi, median of $LAUNCHES: CreateProcess, poll each 1 ms until a visible top-level window of class MAIN of that process and all its visible children have no update region left, then one WM_NULL round trip; closed with WM_CLOSE between runs" "—" "—"
row "Minimal window program, same way" "$(get launch_minimal_ms) ms" "bench/minimal_window.cpp, built with the ship flags, measured alternately with Main.exe" "—" "—"
row "Minimal window program over Main.exe's libraries" "$(get launch_minimal_imports_ms) ms" "the same program importing, and never calling, one function of each library Main.exe imports (common controls, the component runtime and its strings, the shell stand-in), measured in turns with the rows above: what loading and initialising them adds to any start that needs them" "—" "—"
row "Main.exe start / minimal start" "$(get launch_ratio)×" "ratio of the two medians above ($(get launch_failed) runs failed); config.xml holds a start 85 days back, so that page 今日 shows a week and its month picture" "≤ 1.4×" "$(verdict "$(get launch_ratio) <= 1.4 && $(get launch_failed) == 0")"
# The start in phases, from Main.exe's timed twin: each phase the median over the same runs.
phase() { get "launch_phase_$1_ms"; }
PICTURE_MS=$(awk "BEGIN { printf \"%.1f\", $(phase picture) + $(phase decode) }")
row "Main.exe's start in phases" "" "bench/main_phases.cpp, main_lib linked as Main.exe links it with a stopwatch at the beginning of each step (main/start_phases.h), started as above, in turns with the two programs; each phase the median of its $LAUNCHES runs ($(get launch_phases_failed) failed)" "—" "—"
row "  process start to WinMain" "$(phase winmain) ms" "CreateProcess to the first instruction of wWinMain: Wine's loader and the imported DLLs, the shell stand-in aygshell.dll among them" "—" "—"
row "  main window created" "$(phase window) ms" "single-instance check, class, window (made visible: it is shown as it is made; Wine's first window of a process opens its display), the scale, the fit above the menu bar; the next two rows' shares taken out" "—" "—"
row "  config.xml prepared and read" "$(phase config) ms" "within the window's creation: the component runtime, the DOM's class object (CoGetClassObject of the stand-in xmldom.dll) and one document from it, config.xml loaded and checked, both values read for page 今日" "—" "—"
row "  the shell stand-in's menu bar" "$(phase menubar) ms" "within the window's creation: SHCreateMenuBar of the stand-in aygshell.dll, a second top-level window with its two keys, shown (the device's shell makes its own bar)" "—" "—"
row "  UlvoRes.dll loaded" "$(phase reslib) ms" "LoadLibrary of the resource library" "—" "—"
row "  pages built" "$(phase pages) ms" "tab control and its four labels, page 今日's status line and picture control, the status line's text; the other three pages' controls and texts come after the first paint, from a message posted to the loop" "—" "—"
row "  month picture" "$PICTURE_MS ms" "for page 今日: found for the density, decoded, stretched where the density asks, handed to its control" "—" "—"
row "    of which the shell stand-in's decoding" "$(phase decode) ms" "SHLoadImageResource of the stand-in aygshell.dll: Wine's imaging codecs (windowscodecs.dll, loaded on first use, and its GIF decoder, made directly); the device decodes with its own library" "—" "—"
row "  full-screen mode" "$(phase fullscreen) ms" "SetFullScreen: SHFullScreen of the stand-in aygshell.dll, the window moved up over the task bar's place (Wine moves its display window), the task bar minimised where there is one" "—" "—"
row "  first paint" "$(phase show) ms" "shown, painted, to the end of the first row's measure (the poll, the WM_NULL round trip)" "—" "—"
SHARES_MS=$(awk "BEGIN { printf \"%.1f\", $(phase menubar) + $(phase decode) }")
WITHOUT_SHARES=$(awk -v main="$(get launch_main_ms)" -v minimal="$(get launch_minimal_ms)" -v shares="$SHARES_MS" \
                 'BEGIN { printf "%.2f", (minimal > 0 ? (main - shares) / minimal : 0) }')
row "  the shell stand-in's shares together" "$SHARES_MS ms" "its menu bar and its decoding above; Main.exe's start without them over the minimal start: ${WITHOUT_SHARES}×" "—" "—"
row "  the phases added up" "$(get launch_phases_sum_ms) ms" "against Main.exe's own start in the first row, $(get launch_main_ms) ms (the twin's median whole $(get launch_twin_ms) ms)" "within 10 % of the whole" "$(verdict "$(get launch_phases_sum_ms) <= 1.1 * $(get launch_main_ms) && $(get launch_phases_sum_ms) >= 0.9 * $(get launch_main_ms) && $(get launch_phases_failed) == 0")"
row "ulvo.dll size" "$ULVO B" "$DEVICE_HOW; imports: $(imports ulvo.dll)" "≤ 24 KiB ($((24 * KIB)) B), system DLLs only" "$(verdict "$ULVO <= 24 * $KIB && $(imports_ok ulvo.dll && echo 1 || echo 0)")"
row "Main.exe size" "$MAIN B" "$DEVICE_HOW; imports: $(imports Main.exe)" "≤ 88 KiB ($((88 * KIB)) B) with the kick counter, the contraction timer and the due-date dialog, system DLLs and aygshell.dll only" "$(verdict "$MAIN <= 88 * $KIB && $(imports_ok Main.exe aygshell && echo 1 || echo 0)")"
row "UlvoRes.dll size" "$RES B" "$DEVICE_HOW; imports: $(imports UlvoRes.dll | sed 's/^$/none/')" "≤ 256 KiB ($((256 * KIB)) B), the month pictures at 96 and 192 dpi" "$(verdict "$RES <= 256 * $KIB")"
for m in aygshell.dll xmldom.dll; do
    row "$m size" "$(size $m) B" "stand-in, not shipped to the device, $DEVICE_HOW; imports: $(imports $m)" "—" "—"
done
row "Soak: GDI objects" "$(get soak_before_gdi) → $(get soak_after_gdi)" "$(get soak_cycles) refresh messages, $(get soak_paints) full repaints, then $(get soak_recreates) times the item's window destroyed and the item made again (InitializeCustomItem, as the shell rebuilding its Today screen), in one process, counted after 100 warm-up rounds; $(how_counted 0 'GetGuiResources gives 0 under Wine: live entries of the GDI handle table' GetGuiResources)" "flat" "$(verdict "$(get soak_before_gdi) == $(get soak_after_gdi)")"
row "Soak: USER objects" "$(get soak_before_user) → $(get soak_after_user)" "$(how_counted 1 'GetGuiResources gives 0 under Wine: every USER handle index asked whether it is a window of this process or an icon' GetGuiResources)" "flat" "$(verdict "$(get soak_before_user) == $(get soak_after_user)")"
row "Soak: handles" "$(get soak_before_handles) → $(get soak_after_handles)" "$(how_counted 2 'GetProcessHandleCount gives 0 under Wine: every handle value asked GetHandleInformation' GetProcessHandleCount)" "flat" "$(verdict "$(get soak_before_handles) == $(get soak_after_handles)")"
row "Soak: private bytes" "$(get soak_before_heap) → $(get soak_after_heap) B" "PrivateUsage is $(get soak_after_private) under Wine: busy bytes of all process heaps by HeapWalk" "growth ≤ 65536 B" "$(verdict "$HEAP_DELTA <= 65536")"
row "Soak: the DOM's class object" "$(get soak_before_references) → $(get soak_after_references); $(get soak_held_without_window) held with no window" "references to the stand-in's class object (and its server locks) with the item's window there, from xmldom.dll's own count; and of the $(get soak_recreates) times the window was gone, how often one was still held" "flat; 0" "$(verdict "$(get soak_before_references) == $(get soak_after_references) && $(get soak_held_without_window) == 0")"
row "Fuzz: item computation" "$(get fuzz_item_crashes) crashes, $(get fuzz_item_hangs) hangs" "$(get fuzz_item_cases) mutated config.xml files (seed 20100101: bit flips, truncations, duplicated and swapped spans, long runs, digits and separators in the values) through CalculatePragnantTime, in $(get fuzz_item_children) watched child processes (fault = crash, 5 s without progress = hang)" "0 and 0" "$(verdict "$(get fuzz_item_crashes) == 0 && $(get fuzz_item_hangs) == 0")"
row "Fuzz: item, slowest case" "$(get fuzz_item_slowest_us) µs" "case $(get fuzz_item_slowest_case), the computation alone: the 8 slowest single timings of each batch of 10000 run 21 times more, highest median (slowest single timing $(get fuzz_item_slowest_once_us) µs)" "< 10 ms" "$(verdict "$(get fuzz_item_slowest_us) < 10000")"
row "Fuzz: main start-up, rebuild and save" "$(get fuzz_main_crashes) crashes, $(get fuzz_main_hangs) hangs" "the first $(get fuzz_main_cases) of the same files, each as config.xml through PrepareConfigFile, GetStartTime with the four pages built and SaveSettings of a date and method that change with the case, in $(get fuzz_main_children) watched child processes" "0 and 0" "$(verdict "$(get fuzz_main_crashes) == 0 && $(get fuzz_main_hangs) == 0")"
row "Fuzz: main, slowest case" "$(get fuzz_main_slowest_us) µs" "case $(get fuzz_main_slowest_case), the rebuild alone (GetStartTime over the file start-up has just shown: texts and picture as shown already, which the pages keep), picked the same way (slowest single timing $(get fuzz_main_slowest_once_us) µs)" "< 10 ms" "$(verdict "$(get fuzz_main_slowest_us) < 10000")"
row "Fuzz through start-up and save: originals lost" "$(get fuzz_main_originals_lost)" "files whose bytes after PrepareConfigFile were neither config.xml nor config.xml.bak, byte for byte ($(get fuzz_main_kept) of $(get fuzz_main_cases) kept in place, the rest copied aside and replaced)" "0" "$(verdict "$(get fuzz_main_originals_lost) == 0")"
row "  others lost, saves failed, values wrong" "$(get fuzz_main_others_lost), $(get fuzz_main_saves_failed), $(get fuzz_main_values_wrong)" "kept files: the document before and after the save, each read and with StartTime and CalcMethod set to one placeholder as the save sets them, compared node by node (kind, name, value, attributes, children; adjacent texts as one, the declaration's quotes as written); SaveSettings' result; the saved file read back for the exact date and \"1\"/\"2\" (first cases: $(get fuzz_main_others_lost_first_case), $(get fuzz_main_saves_failed_first_case), $(get fuzz_main_values_wrong_first_case))" "0, 0, 0" "$(verdict "$(get fuzz_main_others_lost) == 0 && $(get fuzz_main_saves_failed) == 0 && $(get fuzz_main_values_wrong) == 0")"
row "  item/main disagreements" "$(get fuzz_main_disagreements)" "the item's line for each file (bench_item.exe, the files one after another in one process) against Main's status after start-up, both read as prompt / week w day d / first day / due day / past due; $(get fuzz_main_dated) files gave a day, the rest the prompt; first case $(get fuzz_main_disagreements_first_case)" "0" "$(verdict "$(get fuzz_main_disagreements) == 0")"
row "Concurrent saves: torn reads" "$(( $(get concurrent_torn_bytes) + $(get concurrent_torn_document) )) of $(get concurrent_reads)" "$(get concurrent_saves) SaveSettings in one process while bench_item.exe re-reads config.xml in a loop, each read both as bytes (a whole file with both values) and through the item's ConfigDocument; $(get concurrent_unopened) reads found no file, $(get concurrent_saves_failed) saves failed" "0" "$(verdict "$(get concurrent_torn_bytes) == 0 && $(get concurrent_torn_document) == 0 && $(get concurrent_unopened) == 0 && $(get concurrent_reader_ok) == 1")"
row "Concurrent saves: final file" "$([ "$(get concurrent_final_ok)" = 1 ] && echo 'last values' || echo 'other')" "the file after the last save, byte for byte against the last date and method written" "last values" "$(verdict "$(get concurrent_final_ok) == 1 && $(get concurrent_saves_failed) == 0")"
row "Kills during save: pair torn" "$(get kills_torn) of $(get kills)" "$(get kills) bench_main.exe loops saving 2010-1-1/\"2\" and 2011-2-2/\"1\" in turn into one config.xml, ended by TerminateProcess 0-20 ms and 0-999 µs after their first save (seed 20100101); config.xml then byte for byte: $(get kills_old_pair) one pair, $(get kills_new_pair) the other, $(get kills_torn) a date with the other's method, $(get kills_not_whole) neither" "0" "$(verdict "$(get kills_torn) == 0 && $(get kills_not_whole) == 0 && $(get kills_child_failed) == 0")"
row "Kills during save: temporary files left" "$(get kills_spares_left)" "ends after which a file besides config.xml was still there once a start-up (PrepareConfigFile) or the next save had run, the two in turn; $(get kills_spares_at_kill) ends found a spare file, $(get kills_crowded) more than one; $(get kills_files_at_end) files beside it at the end${V[kills_stray_example]:+, such as ${V[kills_stray_example]}}" "0" "$(verdict "$(get kills_spares_left) == 0 && $(get kills_crowded) == 0")"
row "Refresh with a 10 MB config.xml" "$(get big_median_us) µs, peak +$(( $(get big_peak_after) - $(get big_peak_before) )) B" "median of $(get big_calls) CalculatePragnantTime with a $(get big_bytes)-byte config.xml (the two values, then a comment filling it); growth of PeakWorkingSetSize from before the first such refresh, heap bytes in use across the timed calls +$(( $(get big_heap_after) - $(get big_heap_before) )) B; line shown: $([ "$(get big_prompt)" = 1 ] && echo prompt || echo other)" "≤ 1 ms (the file is not read; it cost 1.1 s when it was), growth ≤ 65536 B" "$(verdict "$(get big_median_us) <= 1000 && $(get big_peak_after) - $(get big_peak_before) <= 65536 && $(get big_heap_after) - $(get big_heap_before) <= 65536 && $(get big_prompt) == 1")"
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }
KT0=$(get kick_tap_empty_us); KT1=$(get kick_tap_10000_us)
KO1=$(get kick_open_100_us); KO2=$(get kick_open_10000_us); KO3=$(get kick_open_10mb_us)
row "Kick tap, empty records.csv" "$KT0 µs" "median of $RECORD_TIMINGS taps of 动了一下 in the kick counter (bench_main, MainHarness): the append with its flush, the recount, the repaint (UpdateWindow)" "—" "—"
row "Kick tap, 10,000 taps in the file" "$KT1 µs ($(ratio "$KT1" "$KT0")×)" "the same over a records.csv of 10,000 kicks on the days before" "≤ 1.5× the empty file" "$(verdict "$KT1 <= 1.5 * $KT0")"
row "Kick counter opening, 100 taps" "$KO1 µs" "median of $RECORD_TIMINGS openings: the dialog made, records.csv read, its texts set, painted" "—" "—"
row "Kick counter opening, 10,000 taps" "$KO2 µs ($(ratio "$KO2" "$KO1")×)" "the same, 10,000 kicks" "≤ 1.5× 100 taps" "$(verdict "$KO2 <= 1.5 * $KO1")"
row "Kick counter opening, 10 MB file" "$KO3 µs ($(ratio "$KO3" "$KO2")×)" "the same, a records.csv of kicks 10 MB long (only its last 256 KiB are read)" "≤ 1.5× 10,000 taps" "$(verdict "$KO3 <= 1.5 * $KO2")"
CT0=$(get contraction_tap_empty_us); CT1=$(get contraction_tap_10000_us)
row "Contraction tap, empty records.csv" "$CT0 µs" "median of $RECORD_TIMINGS taps of the contraction timer's button, starts and ends in turn: the append with its flush, the recount, the repaint" "—" "—"
row "Contraction tap, 10,000 events in the file" "$CT1 µs ($(ratio "$CT1" "$CT0")×)" "the same over a records.csv of 10,000 contraction starts and ends on the days before" "≤ 1.5× the empty file" "$(verdict "$CT1 <= 1.5 * $CT0")"
row "Kills during record taps" "$(get tap_kills) ends: $(get tap_kills_counted) kicks counted, $(get tap_kills_lines) kick lines found; $(get tap_kills_contractions_shown) contraction taps shown, $(get tap_kills_contraction_lines) lines found; $(get tap_kills_torn) torn, $(get tap_kills_earlier_changed) earlier bytes changed" "$(get tap_kills) bench_main.exe loops tapping the kick counter and the contraction timer in turn over one records.csv, ended by TerminateProcess 0-20 ms and 0-999 µs after their first counted tap (seed 20100101); after each end: the file's bytes from before the round unchanged, every line but the last whole (a kick line, the header, or a piece an earlier end left), the kicks the screen had counted and the contraction taps it had shown against the whole lines of each ($(get tap_kills_counted_missing) counted but missing, $(get tap_kills_not_whole) lines not whole, $(get tap_kills_child_failed) loops that never tapped)" "0 changed, 0 missing, 0 not whole" "$(verdict "$(get tap_kills_earlier_changed) == 0 && $(get tap_kills_counted_missing) == 0 && $(get tap_kills_not_whole) == 0 && $(get tap_kills_child_failed) == 0")"
