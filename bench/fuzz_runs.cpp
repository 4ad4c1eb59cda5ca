// A fuzz run watched across child processes, a child's batch, and their printed reports.
#include "bench/fuzz_runs.h"
#include "bench/child_processes.h"
#include "bench/fuzz_cases.h"
#include "bench/timing.h"
#include <algorithm>
#include <cstdio>
#include <cwchar>

FuzzRun RunFuzzWatched(const std::wstring &strExe, const std::wstring &strMode, int nTotal, int nBatch,
                       DWORD dwHangMs)
{
    static_assert(ARRAYSIZE(((BenchShared *)0)->nCounts) == FUZZ_COUNTS, "a fuzz run's counts");
    FuzzRun run = { nTotal, 0, 0, {}, 0, -1, 0, 0, 0, {}, {} };
    for (int &nFirst : run.nFirstCases)
        nFirst = -1;
    std::wstring strName = SharedNameOf(L"UlvoBenchFuzz");
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(strName, &hMapping);
    if (!pShared)
    {
        run.nCrashes = -1;
        return run;
    }
    // A child's first case waits for Wine to start the process; later ones must each move on.
    const DWORD START_ALLOWANCE_MS = 60000;
    int nNext = 0;
    while (nNext < nTotal)
    {
        int nCount = std::min(nBatch, nTotal - nNext);
        ZeroMemory((void *)pShared, sizeof(*pShared));
        pShared->nCurrent = -1;
        pShared->nDone = nNext;
        pShared->nSlowestCase = -1;
        wchar_t szArgs[160];
        _snwprintf(szArgs, ARRAYSIZE(szArgs), L" %s %s %d %d", strMode.c_str(), strName.c_str(), nNext, nCount);
        szArgs[ARRAYSIZE(szArgs) - 1] = 0;
        HANDLE hChild = StartProcess(L"\"" + strExe + L"\"" + szArgs);
        run.nChildren++;
        if (!hChild)
        {
            run.nCrashes = -1;
            break;
        }
        LONG nLastSeen = -2;
        DWORD dwSince = GetTickCount();
        bool bHung = false;
        for (;;)
        {
            if (WaitForSingleObject(hChild, 20) == WAIT_OBJECT_0)
                break;
            LONG nNow = pShared->nCurrent;
            LONG nDone = pShared->nDone;
            LONG nMark = nNow * 2 + (nDone > nNow ? 1 : 0);
            if (nMark != nLastSeen)
            {
                nLastSeen = nMark;
                dwSince = GetTickCount();
                continue;
            }
            DWORD dwLimit = nNow < 0 ? START_ALLOWANCE_MS : dwHangMs;
            if (GetTickCount() - dwSince > dwLimit)
            {
                bHung = true;
                TerminateProcess(hChild, 0xDEAD);
                WaitForSingleObject(hChild, INFINITE);
                break;
            }
        }
        DWORD dwExit = 0;
        GetExitCodeProcess(hChild, &dwExit);
        CloseHandle(hChild);

        if (pShared->dSlowestOnceUs > run.dSlowestOnceUs)
            run.dSlowestOnceUs = pShared->dSlowestOnceUs;
        run.nCompleted += std::max(0, (int)pShared->nDone - nNext);
        for (int k = 0; k < FUZZ_COUNTS; k++)
        {
            run.nCounts[k] += pShared->nCounts[k];
            if (run.nFirstCases[k] < 0 && pShared->nFirstCases[k] > 0)
                run.nFirstCases[k] = pShared->nFirstCases[k] - 1;
        }
        if (pShared->nSlowestCase >= 0 && pShared->dSlowestUs > run.dSlowestUs)
        {
            run.dSlowestUs = pShared->dSlowestUs;
            run.nSlowestCase = pShared->nSlowestCase;
        }
        int nEnd = nNext + nCount;
        if (pShared->nDone >= nEnd && !bHung && dwExit == 0)
        {
            nNext = nEnd;
            continue;
        }
        // Ended early: the case it was on is the culprit, and the run resumes after it.
        int nCulprit = pShared->nCurrent >= nNext ? (int)pShared->nCurrent : nNext;
        if (bHung)
            run.nHangs++;
        else
            run.nCrashes++;
        run.failedCases.push_back(nCulprit);
        nNext = nCulprit + 1;
    }
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return run;
}

int RunFuzzBatch(const wchar_t *pszShared, int nFirst, int nCount, FUZZ_CASE pfnCase)
{
    InstallCrashExit();
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(pszShared, &hMapping);
    if (!pShared)
        return 2;
    const size_t SLOW_CANDIDATES = 8;
    const int REPEATS = 21;
    std::vector<std::pair<double, int>> slowest;
    for (int i = nFirst; i < nFirst + nCount; i++)
    {
        pShared->nCurrent = i;
        double dUs = 0;
        LONG anCounts[FUZZ_COUNTS] = { 0 };
        pfnCase(i, &dUs, anCounts);
        for (int k = 0; k < FUZZ_COUNTS; k++)
        {
            pShared->nCounts[k] += anCounts[k];
            if (anCounts[k] && !pShared->nFirstCases[k])
                pShared->nFirstCases[k] = i + 1;
        }
        if (dUs > pShared->dSlowestOnceUs)
            pShared->dSlowestOnceUs = dUs;
        slowest.push_back(std::make_pair(dUs, i));
        if (slowest.size() > 4 * SLOW_CANDIDATES)
        {
            std::sort(slowest.rbegin(), slowest.rend());
            slowest.resize(SLOW_CANDIDATES);
        }
        pShared->nDone = i + 1;
    }
    std::sort(slowest.rbegin(), slowest.rend());
    if (slowest.size() > SLOW_CANDIDATES)
        slowest.resize(SLOW_CANDIDATES);
    for (const std::pair<double, int> &candidate : slowest)
    {
        std::vector<double> times;
        for (int r = 0; r < REPEATS; r++)
        {
            pShared->nCurrent = candidate.second;
            double dUs = 0;
            pfnCase(candidate.second, &dUs, NULL);
            times.push_back(dUs);
        }
        double dMedian = Median(times);
        if (dMedian > pShared->dSlowestUs)
        {
            pShared->dSlowestUs = dMedian;
            pShared->nSlowestCase = candidate.second;
        }
    }
    pShared->nCurrent = nFirst + nCount;
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return 0;
}

int PrintFuzzCaseTime(const char *pszName, FUZZ_CASE pfnCase, int nIndex, int nRepeats)
{
    std::vector<double> times;
    for (int i = 0; i < nRepeats; i++)
    {
        double dUs = 0;
        pfnCase(nIndex, &dUs, NULL);
        times.push_back(dUs);
    }
    printf("%s_case %d\n%s_case_bytes %u\n%s_case_median_us %.1f\n", pszName, nIndex, pszName,
           (unsigned)FuzzCase(FUZZ_SEED, nIndex).size(), pszName, Median(times));
    return 0;
}

int PrintFuzzRun(const char *pszName, int nTotal, int nBatch, const char *const *ppszCountNames, int nCountNames)
{
    wchar_t szExe[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    FuzzRun run = RunFuzzWatched(szExe, L"fuzz-batch", nTotal, nBatch, 5000);
    printf("%s_cases %d\n%s_crashes %d\n%s_hangs %d\n%s_slowest_us %.1f\n"
           "%s_slowest_case %d\n%s_slowest_once_us %.1f\n%s_children %d\n%s_completed %d\n",
           pszName, run.nCases, pszName, run.nCrashes, pszName, run.nHangs, pszName, run.dSlowestUs,
           pszName, run.nSlowestCase, pszName, run.dSlowestOnceUs, pszName, run.nChildren,
           pszName, run.nCompleted);
    for (int nCase : run.failedCases)
        printf("%s_failed_case %d\n", pszName, nCase);
    for (int k = 0; k < nCountNames && k < FUZZ_COUNTS; k++)
        printf("%s_%s %ld\n%s_%s_first_case %d\n", pszName, ppszCountNames[k], run.nCounts[k],
               pszName, ppszCountNames[k], run.nFirstCases[k]);
    return 0;
}

void FaultyFuzzCase(int nIndex, double *pdMicroseconds, LONG *)
{
    *pdMicroseconds = 0;
    // A page reserved but never given memory: a write there faults as a stray pointer does.
    if (nIndex == FUZZ_CRASH_CASE)
        *(volatile int *)VirtualAlloc(NULL, 1, MEM_RESERVE, PAGE_READWRITE) = nIndex;
    while (nIndex == FUZZ_HANG_CASE)
        Sleep(1000);
}
