// The main program's measurements: one settings save, its half of the fuzz run, saves while
// another process reads, and saves ended at random moments.
//   bench_main save N              median of N timed saves of the settings
//   bench_main fuzz-run N BATCH    N mutated files through start-up, the texts' rebuild and a
//                                  save, against the item's line for each, watched batches
//   bench_main fuzz-time CASE N       median of N timings of one fuzz case
//   bench_main fuzz-batch NAME FIRST COUNT   (a child of fuzz-run)
//   bench_main fuzz-faults NAME FIRST COUNT  a batch that crashes and hangs on purpose
//   bench_main fuzz-case CASE PATH    writes one fuzz case's bytes to PATH, to look at
//   bench_main concurrent N        N saves while bench_item.exe re-reads the file
//   bench_main kills N             N save loops ended with TerminateProcess
//   bench_main save-loop NAME PATH    saves until ended (a child of kills)
//   bench_main records N           taps and openings of the kick counter, and taps of the
//                                  contraction timer, over records.csv files of several sizes,
//                                  N timings each
//   bench_main tap-kills N         N kick tap loops ended with TerminateProcess
//   bench_main tap-loop NAME PATH  taps until ended (a child of tap-kills)
// Results are "key value" lines on standard output.
#include "bench/concurrent_saves.h"
#include "bench/day_states.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/fuzz_runs.h"
#include "bench/killed_saves.h"
#include "bench/killed_taps.h"
#include "bench/record_timings.h"
#include "bench/main_harness.h"
#include "bench/path_fuzz.h"
#include "bench/timing.h"
#include "main/settings_store.h"
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

int Save(int nSaves)
{
    MainHarness main;
    if (!main.Ready())
    {
        printf("save_error setup\n");
        return 1;
    }
    std::vector<double> times;
    times.reserve(nSaves);
    int nFailed = 0;
    for (int i = 0; i < nSaves + 20; i++)
    {
        double dStart = NowMicroseconds();
        int nResult = main.Save(2010, 1 + i % 12, 1 + i % 28, i % 2 != 0);
        double dUs = NowMicroseconds() - dStart;
        if (nResult != SAVE_SETTINGS_OK)
            nFailed++;
        if (i >= 20)    // the first ones warm up
            times.push_back(dUs);
        main.DrainMessages();
    }
    printf("save_calls %d\nsave_failed %d\nsave_median_us %.1f\n", nSaves, nFailed, Median(times));
    return 0;
}

MainHarness *g_pFuzzMain = NULL;
int g_nFuzzFirst = 0;
std::vector<std::string> g_itemStates;

void MainFuzzCase(int nIndex, double *pdMicroseconds, LONG *pnCounts)
{
    LONG anIgnored[FUZZ_COUNTS] = { 0 };
    size_t nAt = (size_t)(nIndex - g_nFuzzFirst);
    std::string strItemState = nAt < g_itemStates.size() ? g_itemStates[nAt] : "(no item state)";
    *pdMicroseconds = RunPathCase(g_pFuzzMain, nIndex, strItemState, pnCounts ? pnCounts : anIgnored);
}

int FuzzBatch(const wchar_t *pszShared, int nFirst, int nCount)
{
    MainHarness main;
    if (!main.Ready())
        return 3;
    g_pFuzzMain = &main;
    g_nFuzzFirst = nFirst;
    ItemFuzzStates(nFirst, nCount, &g_itemStates);
    int nResult = RunFuzzBatch(pszShared, nFirst, nCount, MainFuzzCase);
    g_pFuzzMain = NULL;
    return nResult;
}

int FuzzTime(int nIndex, int nRepeats)
{
    MainHarness main;
    g_pFuzzMain = &main;
    int nResult = PrintFuzzCaseTime("fuzz_main", MainFuzzCase, nIndex, nRepeats);
    g_pFuzzMain = NULL;
    return nResult;
}

int FuzzRunAll(int nTotal, int nBatch)
{
    return PrintFuzzRun("fuzz_main", nTotal, nBatch, PATH_COUNT_NAMES, PATH_COUNT_KINDS);
}

int Concurrent(int nSaves)
{
    ConcurrentResult r = RunConcurrentSaves(nSaves);
    printf("concurrent_saves %d\nconcurrent_saves_failed %d\nconcurrent_reads %ld\n"
           "concurrent_torn_bytes %ld\nconcurrent_torn_document %ld\nconcurrent_unopened %ld\n"
           "concurrent_unopened_error %ld\nconcurrent_final_ok %d\nconcurrent_reader_ok %d\n",
           r.nSaves, r.nSavesFailed, r.nReads, r.nTornBytes, r.nTornDocument, r.nUnopened,
           r.nUnopenedError, r.bFinalOk ? 1 : 0, r.bReaderOk ? 1 : 0);
    return 0;
}

int Kills(int nKills)
{
    KilledSavesResult r = RunKilledSaves(nKills, FUZZ_SEED);
    printf("kills %d\nkills_torn %d\nkills_not_whole %d\nkills_crowded %d\nkills_spares_at_kill %d\n"
           "kills_spares_left %d\nkills_files_at_end %d\nkills_child_failed %d\nkills_old_pair %d\n"
           "kills_new_pair %d\n",
           r.nKills, r.nTorn, r.nNotWhole, r.nCrowded, r.nSparesAtKill, r.nSparesLeft, r.nFilesAtEnd,
           r.nChildFailed, r.nOldPair, r.nNewPair);
    if (r.szLastStray[0])
        printf("kills_stray_example %ls\n", r.szLastStray);
    return 0;
}

int Records(int nTimings)
{
    MainHarness main;
    if (!main.Ready())
    {
        printf("records_error setup\n");
        return 1;
    }
    const std::string EMPTY = "time,event\r\n";
    printf("kick_tap_empty_us %.1f\n", TimeTaps(&main, KICK_DIALOG, EMPTY, nTimings));
    printf("kick_tap_10000_us %.1f\n", TimeTaps(&main, KICK_DIALOG, KickRecords(10000), nTimings));
    printf("kick_open_100_us %.1f\n", TimeOpens(&main, KICK_DIALOG, KickRecords(100), nTimings));
    printf("kick_open_10000_us %.1f\n", TimeOpens(&main, KICK_DIALOG, KickRecords(10000), nTimings));
    printf("kick_open_10mb_us %.1f\n", TimeOpens(&main, KICK_DIALOG, KickRecordsOfSize(10 * 1024 * 1024), nTimings));
    printf("contraction_tap_empty_us %.1f\n", TimeTaps(&main, CONTRACTION_DIALOG, EMPTY, nTimings));
    printf("contraction_tap_10000_us %.1f\n", TimeTaps(&main, CONTRACTION_DIALOG, ContractionRecords(10000), nTimings));
    return 0;
}

int TapKills(int nKills)
{
    KilledTapsResult r = RunKilledTaps(nKills, FUZZ_SEED);
    printf("tap_kills %d\ntap_kills_counted %d\ntap_kills_lines %d\ntap_kills_contractions_shown %d\n"
           "tap_kills_contraction_lines %d\ntap_kills_torn %d\ntap_kills_not_whole %d\n"
           "tap_kills_earlier_changed %d\ntap_kills_counted_missing %d\ntap_kills_child_failed %d\n",
           r.nKills, r.nCounted, r.nLines, r.nContractionsShown, r.nContractionLines, r.nTornAtKill, r.nNotWhole,
           r.nEarlierChanged, r.nCountedMissing, r.nChildFailed);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    std::wstring strMode = argc > 1 ? argv[1] : L"";
    if (strMode == L"save" && argc > 2)
        return Save(_wtoi(argv[2]));
    if (strMode == L"fuzz-run" && argc > 3)
        return FuzzRunAll(_wtoi(argv[2]), _wtoi(argv[3]));
    if (strMode == L"fuzz-time" && argc > 3)
        return FuzzTime(_wtoi(argv[2]), _wtoi(argv[3]));
    if (strMode == L"fuzz-batch" && argc > 4)
        return FuzzBatch(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    if (strMode == L"fuzz-case" && argc > 3)
        return WriteWholeFile(argv[3], FuzzCase(FUZZ_SEED, _wtoi(argv[2]))) ? 0 : 1;
    if (strMode == L"fuzz-faults" && argc > 4)
        return RunFuzzBatch(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), FaultyFuzzCase);
    if (strMode == L"concurrent" && argc > 2)
        return Concurrent(_wtoi(argv[2]));
    if (strMode == L"kills" && argc > 2)
        return Kills(_wtoi(argv[2]));
    if (strMode == L"save-loop" && argc > 3)
        return SaveLoop(argv[2], argv[3]);
    if (strMode == L"records" && argc > 2)
        return Records(_wtoi(argv[2]));
    if (strMode == L"tap-kills" && argc > 2)
        return TapKills(_wtoi(argv[2]));
    if (strMode == L"tap-loop" && argc > 3)
        return TapLoop(argv[2], argv[3]);
    fprintf(stderr, "usage: bench_main save N | fuzz-run N BATCH | fuzz-time CASE N | concurrent N | kills N | records N"
                    " | tap-kills N\n");
    return 2;
}
