#include "bench/concurrent_saves.h"
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/main_harness.h"
#include "main/settings_store.h"
#include <cstdio>

// Save i picks day i after 2009-1-1 in a plain walk through the months, and the method by parity.
static void DateOfSave(int i, int *pnYear, int *pnMonth, int *pnDay)
{
    *pnYear = 2009 + (i / (12 * 28)) % 20;
    *pnMonth = 1 + (i / 28) % 12;
    *pnDay = 1 + i % 28;
}

ConcurrentResult RunConcurrentSaves(int nSaves)
{
    ConcurrentResult r = { nSaves, 0, 0, 0, 0, 0, false, 0, false };
    MainHarness main;
    if (!main.Ready())
        return r;
    // Start from a whole file, so every read the reader makes has one to see.
    if (main.Save(2008, 12, 31, false) != SAVE_SETTINGS_OK)
        return r;
    main.DrainMessages();

    std::wstring strName = SharedNameOf(L"UlvoBenchRead");
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(strName, &hMapping);
    if (!pShared)
        return r;
    ZeroMemory((void *)pShared, sizeof(*pShared));
    HANDLE hReader = StartProcess(L"\"" + ExeDir() + L"\\bench_item.exe\" read " + strName + L" \""
                                  + main.ConfigPath() + L"\"");
    for (int i = 0; hReader && !pShared->nReady && i < 60000 / 10; i++)
        if (WaitForSingleObject(hReader, 10) == WAIT_OBJECT_0)
            break;

    int nYear = 0, nMonth = 0, nDay = 0;
    bool b365 = false;
    for (int i = 0; i < nSaves; i++)
    {
        DateOfSave(i, &nYear, &nMonth, &nDay);
        b365 = i % 2 != 0;
        if (main.Save(nYear, nMonth, nDay, b365) != SAVE_SETTINGS_OK)
            r.nSavesFailed++;
        main.DrainMessages();
    }
    pShared->nStop = 1;
    if (hReader)
    {
        WaitForSingleObject(hReader, 60000);
        CloseHandle(hReader);
    }
    r.bReaderOk = pShared->nReady && pShared->nDone && pShared->nCounts[0] > 0;
    r.nReads = pShared->nCounts[0];
    r.nTornBytes = pShared->nCounts[1];
    r.nTornDocument = pShared->nCounts[2];
    r.nUnopened = pShared->nCounts[3];
    r.nUnopenedError = pShared->nCounts[4];
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);

    char szLast[64];
    snprintf(szLast, sizeof(szLast), "%d-%d-%d", nYear, nMonth, nDay);
    std::string strFinal;
    r.bFinalOk = ReadWholeFile(main.ConfigPath(), &strFinal)
              && strFinal == ConfigFile(szLast, b365 ? "1" : "2");
    return r;
}
