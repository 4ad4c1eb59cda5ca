#include "bench/killed_taps.h"
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/main_harness.h"
#include "bench/record_timings.h"
#include "bench/timing.h"
#include "resources/main_ids.h"
#include <cwchar>
#include <regex>
#include <set>
#include <string>

namespace {

// A tap takes about a millisecond here: ends fall on every moment of one.
const size_t KILL_DELAY_MAX_MS = 20;
const size_t KILL_DELAY_MAX_US = 1000;
const char HEADER_LINE[] = "time,event\r";

// What one end left in the file: whole kick and contraction lines, pieces cut short, and the last
// line's piece.
void LookAtFile(const std::string &strBytes, std::set<std::string> *pPieces, KilledTapsResult *pResult)
{
    static const std::regex LINE("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,(kick|contraction_start|contraction_end)\\r");
    pResult->nLines = pResult->nContractionLines = 0;
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = strBytes.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1)
    {
        std::string strLine = strBytes.substr(nStart, nEnd - nStart);
        std::smatch match;
        if (std::regex_match(strLine, match, LINE))
            ++*(match[1] == "kick" ? &pResult->nLines : &pResult->nContractionLines);
        else if (strLine != HEADER_LINE && pPieces->count(strLine) == 0)
            pResult->nNotWhole++;
    }
    // The last line cut short stays a line of its own once the next tap has ended it.
    if (nStart < strBytes.size())
    {
        pResult->nTornAtKill++;
        pPieces->insert(strBytes.substr(nStart) + "\r");
        pPieces->insert(strBytes.substr(nStart));
    }
}

}  // namespace

KilledTapsResult RunKilledTaps(int nKills, unsigned int nSeed)
{
    KilledTapsResult r;
    ZeroMemory(&r, sizeof(r));
    std::wstring strDir = TempFolder(L"ulvo-bench-taps");
    std::wstring strConfig = strDir + L"\\config.xml", strRecords = strDir + L"\\records.csv";
    WriteWholeFile(strConfig, ConfigFile("2010-1-1", "2"));
    std::wstring strName = SharedNameOf(L"UlvoBenchTaps");
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(strName, &hMapping);
    if (!pShared)
    {
        r.nChildFailed = nKills;
        return r;
    }
    std::set<std::string> pieces;
    BenchRandom random(nSeed);
    for (int k = 0; k < nKills; k++)
    {
        std::string strBefore;
        ReadWholeFile(strRecords, &strBefore);
        ZeroMemory((void *)pShared, sizeof(*pShared));
        HANDLE hChild = StartProcess(L"\"" + ExeDir() + L"\\bench_main.exe\" tap-loop " + strName + L" \""
                                     + strConfig + L"\"");
        DWORD dwDelayMs = (DWORD)random.Below(KILL_DELAY_MAX_MS);
        DWORD dwDelayUs = (DWORD)random.Below(KILL_DELAY_MAX_US);
        if (!EndChildDuringItsWork(hChild, pShared, dwDelayMs, dwDelayUs, &r.dwChildExit))
            r.nChildFailed++;
        r.nKills++;

        std::string strAfter;
        ReadWholeFile(strRecords, &strAfter);
        if (strAfter.compare(0, strBefore.size(), strBefore) != 0)
            r.nEarlierChanged++;
        LookAtFile(strAfter, &pieces, &r);
        r.nCounted = pShared->nDone;
        r.nContractionsShown += pShared->nCounts[0];
        if (r.nCounted > r.nLines)
            r.nCountedMissing += r.nCounted - r.nLines;
        if (r.nContractionsShown > r.nContractionLines)
            r.nCountedMissing += r.nContractionsShown - r.nContractionLines;
    }
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    RemoveFolder(strDir);
    return r;
}

int TapLoop(const wchar_t *pszShared, const wchar_t *pszConfigPath)
{
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(pszShared, &hMapping);
    if (!pShared)
        return 2;
    MainHarness main(pszConfigPath);
    if (!main.Ready())
        return 3;
    // The clock is pinned: every kick falls in one hour, whose count is every kick in the file; a
    // contraction tap shows by turning the button from start to end or back.
    HWND hKicks = OpenRecordDialog(KICK_DIALOG), hContractions = OpenRecordDialog(CONTRACTION_DIALOG);
    HWND hCount = GetDlgItem(hKicks, IDC_KICK_COUNT), hButton = GetDlgItem(hContractions, IDC_CONTRACTION_TAP);
    while (!pShared->nStop)
    {
        SendMessageW(hKicks, WM_COMMAND, IDC_KICK_TAP, 0);
        wchar_t szText[128] = L"";
        GetWindowTextW(hCount, szText, ARRAYSIZE(szText));
        const wchar_t *pszTaps = wcsstr(szText, L"点击 ");
        if (pszTaps)
        {
            pShared->nDone = _wtoi(pszTaps + wcslen(L"点击 "));
        }
        wchar_t szBefore[32] = L"", szAfter[32] = L"";
        GetWindowTextW(hButton, szBefore, ARRAYSIZE(szBefore));
        SendMessageW(hContractions, WM_COMMAND, IDC_CONTRACTION_TAP, 0);
        GetWindowTextW(hButton, szAfter, ARRAYSIZE(szAfter));
        if (wcscmp(szBefore, szAfter) != 0)
            pShared->nCounts[0]++;
    }
    DestroyWindow(hKicks);
    DestroyWindow(hContractions);
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return 0;
}
