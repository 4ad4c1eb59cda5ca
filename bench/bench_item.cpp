// The Today item's measurements: the cost of one refresh, a long soak of refreshes and paints,
// the item's half of the fuzz run, and the reader of the concurrent saves.
//   bench_item refresh N           medians of N timed refreshes, here and through msxml3
//   bench_item soak CYCLES PAINTS RECREATES  object, handle and memory counters around a soak
//   bench_item fuzz-run N BATCH    N mutated files in watched child batches
//   bench_item fuzz-time CASE N       median of N timings of one fuzz case
//   bench_item fuzz-batch NAME FIRST COUNT   (a child of fuzz-run)
//   bench_item fuzz-states FIRST COUNT PATH  the line of each fuzz case as a day state, one a line
//   bench_item refresh-big N       N timed refreshes with a 10 MB config.xml, and the memory they take
//   bench_item read NAME PATH      re-reads PATH until told to stop (a partner of bench_main)
// Results are "key value" lines on standard output.
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/day_states.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/fuzz_runs.h"
#include "bench/item_harness.h"
#include "bench/msxml_round.h"
#include "bench/process_counters.h"
#include "bench/timing.h"
#include "core/config_document.h"
#include "today/item_state.h"
#include <ole2.h>
#include "today/status_line.h"
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

const wchar_t EXPECTED_LINE[] = L"今天是您怀孕的孕周: 12 周 1 天\n 更多详情请点击查看";

// Interleaved in one loop, so whatever else the machine does falls on all four alike: the
// whole computation through the stand-in, the same document work through the platform's
// component on a UTF-8 copy, the bare file access (attributes, open, read, close) that both
// must do, and the making and release of the item's document alone, from its class object.
int Refresh(int nCalls)
{
    ItemHarness item;
    std::wstring strUtf8 = item.ConfigPath() + L".utf8.xml";
    WriteWholeFile(strUtf8, ConfigFile("2010-1-1", "2", "UTF-8"));
    std::wstring strStart, strMethod;
    const int WARM_UP = 200;
    for (int i = 0; i < WARM_UP; i++)
    {
        CalculatePragnantTime();
        MsxmlConfigRound(strUtf8, &strStart, &strMethod);
    }
    if (item.Line() != EXPECTED_LINE)
    {
        printf("refresh_error wrong-line\n");
        return 1;
    }
    if (strStart != L"2010-1-1" || strMethod != L"2")
    {
        printf("refresh_error msxml-failed\n");
        return 1;
    }
    std::vector<double> ours, platform, file, create;
    for (int i = 0; i < nCalls; i++)
    {
        double d0 = NowMicroseconds();
        CalculatePragnantTime();
        double d1 = NowMicroseconds();
        MsxmlConfigRound(strUtf8, &strStart, &strMethod);
        double d2 = NowMicroseconds();
        std::string strBytes;
        GetFileAttributesW(g_szXMLFilePath);
        ReadWholeFile(g_szXMLFilePath, &strBytes);
        double d3 = NowMicroseconds();
        g_ItemConfig.InitXMLDOMDocument();
        g_ItemConfig.ReleaseXMLDOMDocument();
        double d4 = NowMicroseconds();
        ours.push_back(d1 - d0);
        platform.push_back(d2 - d1);
        file.push_back(d3 - d2);
        create.push_back(d4 - d3);
    }
    DeleteFileW(strUtf8.c_str());
    printf("refresh_calls %d\nrefresh_median_us %.1f\nmsxml_median_us %.1f\nfile_median_us %.1f\n"
           "create_median_us %.1f\n", nCalls, Median(ours), Median(platform), Median(file), Median(create));
    return 0;
}

void PrintCounters(const char *pszWhen, const ProcessCounters &c)
{
    printf("soak_%s_gdi %lu\nsoak_%s_user %lu\nsoak_%s_handles %lu\nsoak_%s_private %lu\nsoak_%s_heap %lu\n"
           "soak_counted %d%d%d\n",
           pszWhen, c.dwGdiObjects, pszWhen, c.dwUserObjects, pszWhen, c.dwHandles,
           pszWhen, (unsigned long)c.cbPrivate, pszWhen, (unsigned long)c.cbHeapInUse,
           c.bGdiCounted, c.bUserCounted, c.bHandlesCounted);
}

int Soak(int nCycles, int nPaints, int nRecreates)
{
    ItemHarness item;
    LONG nHeld = 0;
    // The first rounds make what lives as long as the process (the font mapper's caches,
    // the class's window memory); growth is counted from after them.
    for (int i = 0; i < 100; i++)
    {
        item.RefreshCycle();
        item.PaintCycle();
        item.RecreateCycle(&nHeld);
    }
    ProcessCounters before = ReadProcessCounters();
    LONG nReferencesBefore = DomClassObjectReferences();
    for (int i = 0; i < nCycles; i++)
        item.RefreshCycle();
    for (int i = 0; i < nPaints; i++)
        item.PaintCycle();
    int nHeldWithoutWindow = 0;
    for (int i = 0; i < nRecreates; i++)
    {
        item.RecreateCycle(&nHeld);
        nHeldWithoutWindow += nHeld != 0;
    }
    ProcessCounters after = ReadProcessCounters();
    printf("soak_cycles %d\nsoak_paints %d\nsoak_recreates %d\nsoak_held_without_window %d\n"
           "soak_before_references %ld\nsoak_after_references %ld\n", nCycles, nPaints, nRecreates,
           nHeldWithoutWindow, nReferencesBefore, DomClassObjectReferences());
    PrintCounters("before", before);
    PrintCounters("after", after);
    printf("soak_line_ok %d\n", item.Line() == EXPECTED_LINE ? 1 : 0);
    return 0;
}

ItemHarness *g_pFuzzItem = NULL;

void ItemFuzzCase(int nIndex, double *pdMicroseconds, LONG *)
{
    g_pFuzzItem->UseConfig(FuzzCase(FUZZ_SEED, nIndex));
    double dStart = NowMicroseconds();
    CalculatePragnantTime();
    *pdMicroseconds = NowMicroseconds() - dStart;
}

int FuzzBatch(const wchar_t *pszShared, int nFirst, int nCount)
{
    ItemHarness item;
    g_pFuzzItem = &item;
    int nResult = RunFuzzBatch(pszShared, nFirst, nCount, ItemFuzzCase);
    g_pFuzzItem = NULL;
    return nResult;
}

int FuzzTime(int nIndex, int nRepeats)
{
    ItemHarness item;
    g_pFuzzItem = &item;
    int nResult = PrintFuzzCaseTime("fuzz_item", ItemFuzzCase, nIndex, nRepeats);
    g_pFuzzItem = NULL;
    return nResult;
}

int FuzzRunAll(int nTotal, int nBatch)
{
    return PrintFuzzRun("fuzz_item", nTotal, nBatch);
}

// One case after another in this one process, as the item lives on in the shell's.
int FuzzStates(int nFirst, int nCount, const wchar_t *pszPath)
{
    InstallCrashExit();
    ItemHarness item;
    std::string strStates;
    for (int i = nFirst; i < nFirst + nCount; i++)
    {
        item.UseConfig(FuzzCase(FUZZ_SEED, i));
        CalculatePragnantTime();
        strStates += DayStateOfItemLine(item.Line()) + "\n";
    }
    return WriteWholeFile(pszPath, strStates) ? 0 : 1;
}

// A settings file of 10 MB: the two values, then a comment that fills it. Written a piece at
// a time, so that this process's peak memory does not already hold it.
bool WriteBigConfig(const std::wstring &strPath)
{
    const size_t BIG_CONFIG_BYTES = 10 * 1024 * 1024;
    std::string strHead = ConfigFile("2010-1-1", "2");
    strHead.resize(strHead.size() - strlen("</CONFIG>\r\n"));
    strHead += "<!--";
    const std::string strTail = "--></CONFIG>\r\n";
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    std::string strPiece(64 * 1024, 'a');
    size_t cbLeft = BIG_CONFIG_BYTES - strHead.size() - strTail.size();
    DWORD cbWritten = 0;
    bool bOk = WriteFile(hFile, strHead.data(), (DWORD)strHead.size(), &cbWritten, NULL) != FALSE;
    while (bOk && cbLeft)
    {
        DWORD cb = (DWORD)std::min(cbLeft, strPiece.size());
        bOk = WriteFile(hFile, strPiece.data(), cb, &cbWritten, NULL) && cbWritten == cb;
        cbLeft -= cb;
    }
    bOk = bOk && WriteFile(hFile, strTail.data(), (DWORD)strTail.size(), &cbWritten, NULL);
    CloseHandle(hFile);
    return bOk;
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc;
    ZeroMemory(&pmc, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    return GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)) ? pmc.PeakWorkingSetSize : 0;
}

int RefreshBig(int nCalls)
{
    ItemHarness item;
    if (!WriteBigConfig(item.ConfigPath()))
    {
        printf("big_error write\n");
        return 1;
    }
    std::vector<double> times;
    times.reserve(nCalls);
    // The peak from before the first refresh with the big file: what a parse would take shows
    // there, however few refreshes made it. Reading the counters walks the whole GDI handle
    // table, 1.5 MB the process may not have touched yet: that is done before the peak is taken.
    ReadProcessCounters();
    SIZE_T cbPeakBefore = PeakWorkingSet();
    for (int i = 0; i < 20; i++)
        CalculatePragnantTime();
    ProcessCounters before = ReadProcessCounters();
    for (int i = 0; i < nCalls; i++)
    {
        double dStart = NowMicroseconds();
        CalculatePragnantTime();
        times.push_back(NowMicroseconds() - dStart);
    }
    SIZE_T cbPeakAfter = PeakWorkingSet();
    ProcessCounters after = ReadProcessCounters();
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExW(item.ConfigPath().c_str(), GetFileExInfoStandard, &data);
    printf("big_calls %d\nbig_bytes %lu\nbig_median_us %.1f\nbig_max_us %.1f\nbig_peak_before %lu\n"
           "big_peak_after %lu\nbig_heap_before %lu\nbig_heap_after %lu\nbig_prompt %d\n",
           nCalls, data.nFileSizeLow, Median(times), *std::max_element(times.begin(), times.end()),
           (unsigned long)cbPeakBefore, (unsigned long)cbPeakAfter, (unsigned long)before.cbHeapInUse,
           (unsigned long)after.cbHeapInUse, item.Line() == SETUP_PROMPT ? 1 : 0);
    return 0;
}

// Reads as the item does, through the configuration document, and also byte for byte.
int Read(const wchar_t *pszShared, const wchar_t *pszPath)
{
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(pszShared, &hMapping);
    if (!pShared)
        return 2;
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    ConfigDocument config;
    LONG nReads = 0, nTornBytes = 0, nTornDocument = 0, nUnopened = 0;
    pShared->nReady = 1;
    while (!pShared->nStop)
    {
        std::string strBytes;
        if (!ReadWholeFile(pszPath, &strBytes))
        {
            nUnopened++;
            pShared->nCounts[4] = (LONG)GetLastError();
        }
        else if (!IsWholeConfig(strBytes))
            nTornBytes++;

        WCHAR *pszTime = NULL;
        WCHAR *pszMethod = NULL;
        bool bWhole = config.InitXMLDOMDocument() == S_OK && config.LoadXMLFile(pszPath) == S_OK
            && config.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszTime) == S_OK && pszTime
            && config.GetChildText(CONFIG_ROOT, CONFIG_CALC_METHOD, &pszMethod) == S_OK && pszMethod
            && pszTime[0] == L'2' && (wcscmp(pszMethod, L"1") == 0 || wcscmp(pszMethod, L"2") == 0);
        config.FreeText(pszTime);
        config.FreeText(pszMethod);
        config.ReleaseXMLDOMDocument();
        if (!bWhole)
            nTornDocument++;
        nReads++;
    }
    pShared->nCounts[0] = nReads;
    pShared->nCounts[1] = nTornBytes;
    pShared->nCounts[2] = nTornDocument;
    pShared->nCounts[3] = nUnopened;
    pShared->nDone = 1;
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    CoUninitialize();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    std::wstring strMode = argc > 1 ? argv[1] : L"";
    if (strMode == L"refresh" && argc > 2)
        return Refresh(_wtoi(argv[2]));
    if (strMode == L"soak" && argc > 4)
        return Soak(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]));
    if (strMode == L"fuzz-run" && argc > 3)
        return FuzzRunAll(_wtoi(argv[2]), _wtoi(argv[3]));
    if (strMode == L"fuzz-time" && argc > 3)
        return FuzzTime(_wtoi(argv[2]), _wtoi(argv[3]));
    if (strMode == L"fuzz-batch" && argc > 4)
        return FuzzBatch(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    if (strMode == L"fuzz-states" && argc > 4)
        return FuzzStates(_wtoi(argv[2]), _wtoi(argv[3]), argv[4]);
    if (strMode == L"refresh-big" && argc > 2)
        return RefreshBig(_wtoi(argv[2]));
    if (strMode == L"read" && argc > 3)
        return Read(argv[2], argv[3]);
    fprintf(stderr, "usage: bench_item refresh N | soak CYCLES PAINTS RECREATES | fuzz-run N BATCH | read NAME PATH\n");
    return 2;
}
