#include "bench/killed_saves.h"
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/main_harness.h"
#include "bench/timing.h"
#include "core/shared_names.h"
#include "main/settings_store.h"
#include <string>

namespace {

struct SavedPair
{
    int nYear, nMonth, nDay;
    bool b365;
    const char *pszTime;
    const char *pszMethod;
};
const SavedPair PAIRS[2] = {
    { 2010, 1, 1, false, "2010-1-1", "2" },
    { 2011, 2, 2, true, "2011-2-2", "1" },
};

// How long after its first save a loop is ended: whole milliseconds, then some microseconds,
// so the end falls on every moment of a save (one takes a millisecond or two here).
const size_t KILL_DELAY_MAX_MS = 20;
const size_t KILL_DELAY_MAX_US = 1000;

int SavePair(MainHarness *pMain, const SavedPair &pair)
{
    int nResult = pMain->Save(pair.nYear, pair.nMonth, pair.nDay, pair.b365);
    pMain->DrainMessages();
    return nResult;
}

// What a loop ended at a random moment left in config.xml.
void CountFile(const std::wstring &strConfig, KilledSavesResult *pResult)
{
    std::string strBytes;
    if (!ReadWholeFile(strConfig, &strBytes))
    {
        pResult->nNotWhole++;
        return;
    }
    if (strBytes == ConfigFile(PAIRS[0].pszTime, PAIRS[0].pszMethod))
        pResult->nOldPair++;
    else if (strBytes == ConfigFile(PAIRS[1].pszTime, PAIRS[1].pszMethod))
        pResult->nNewPair++;
    else if (strBytes == ConfigFile(PAIRS[0].pszTime, PAIRS[1].pszMethod)
             || strBytes == ConfigFile(PAIRS[1].pszTime, PAIRS[0].pszMethod))
        pResult->nTorn++;
    else
        pResult->nNotWhole++;
}

int FilesBeside(const std::wstring &strDir, KilledSavesResult *pResult)
{
    int n = 0;
    for (const std::wstring &strName : FilesIn(strDir))
    {
        if (strName == CONFIG_FILE_NAME)
            continue;
        n++;
        lstrcpynW(pResult->szLastStray, strName.c_str(), ARRAYSIZE(pResult->szLastStray));
    }
    return n;
}

}  // namespace

KilledSavesResult RunKilledSaves(int nKills, unsigned int nSeed)
{
    KilledSavesResult r;
    ZeroMemory(&r, sizeof(r));
    MainHarness main;
    if (!main.Ready() || SavePair(&main, PAIRS[0]) != SAVE_SETTINGS_OK)
    {
        r.nChildFailed = nKills;
        return r;
    }
    std::wstring strConfig = main.ConfigPath();
    std::wstring strDir = strConfig.substr(0, strConfig.rfind(L'\\'));
    std::wstring strName = SharedNameOf(L"UlvoBenchKill");
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(strName, &hMapping);
    if (!pShared)
    {
        r.nChildFailed = nKills;
        return r;
    }
    BenchRandom random(nSeed);
    for (int k = 0; k < nKills; k++)
    {
        ZeroMemory((void *)pShared, sizeof(*pShared));
        HANDLE hChild = StartProcess(L"\"" + ExeDir() + L"\\bench_main.exe\" save-loop " + strName + L" \""
                                     + strConfig + L"\"");
        DWORD dwDelayMs = (DWORD)random.Below(KILL_DELAY_MAX_MS);
        DWORD dwDelayUs = (DWORD)random.Below(KILL_DELAY_MAX_US);
        if (!EndChildDuringItsWork(hChild, pShared, dwDelayMs, dwDelayUs, &r.dwChildExit))
            r.nChildFailed++;
        r.nKills++;

        CountFile(strConfig, &r);
        int nSpares = FilesBeside(strDir, &r);
        r.nSparesAtKill += nSpares > 0;
        r.nCrowded += nSpares > 1;
        // Half the time Main starts next, half the time the settings are saved again.
        if (k % 2 == 0)
            main.StartUp();
        else
            SavePair(&main, PAIRS[k / 2 % 2]);
        r.nSparesLeft += FilesBeside(strDir, &r) > 0;
    }
    r.nFilesAtEnd = FilesBeside(strDir, &r);
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return r;
}

int SaveLoop(const wchar_t *pszShared, const wchar_t *pszPath)
{
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(pszShared, &hMapping);
    if (!pShared)
        return 2;
    MainHarness main(pszPath);
    if (!main.Ready())
        return 3;
    for (int n = 1; !pShared->nStop; n++)
    {
        if (SavePair(&main, PAIRS[n % 2]) == SAVE_SETTINGS_OK)
            pShared->nDone++;
    }
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return 0;
}
