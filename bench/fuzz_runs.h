#pragma once
// Fuzz runs watched from a parent: batches of cases in child processes, each crash or hang
// noticed and passed over, the child's side of a batch, and the bench's fuzz reports.
#include <windows.h>
#include <string>
#include <vector>

// Runs cases [0, nTotal) of a fuzz mode in child processes of strExe, nBatch cases each:
//   strExe <mode> <shared-name> <first> <count>
// A child that dies early is a crash at the case it was on; one that makes no progress for
// dwHangMs is a hang and is ended. Either way the run goes on after that case.
const int FUZZ_COUNTS = 8;
struct FuzzRun
{
    int nCases;
    int nCrashes;
    int nHangs;
    std::vector<int> failedCases;
    double dSlowestUs;
    int nSlowestCase;
    double dSlowestOnceUs;
    int nChildren;
    int nCompleted;                  // cases that ran to their end
    long nCounts[FUZZ_COUNTS];       // what the cases counted, summed over the children
    int nFirstCases[FUZZ_COUNTS];    // the first case each count met, or -1
};
FuzzRun RunFuzzWatched(const std::wstring &strExe, const std::wstring &strMode, int nTotal, int nBatch,
                       DWORD dwHangMs);

// The child's side: runs pfnCase on each case of its batch, timing it, and reports. A single
// timing can meet the machine busy with something else, so the batch's slowest few cases are
// run again and the slowest is the one with the highest median of those repeats. A case adds
// what it finds to pnCounts (FUZZ_COUNTS of them), which is null when it runs only to be timed.
typedef void (*FUZZ_CASE)(int nIndex, double *pdMicroseconds, LONG *pnCounts);
int RunFuzzBatch(const wchar_t *pszShared, int nFirst, int nCount, FUZZ_CASE pfnCase);

// The bench programs' fuzz reports, as "<name>_..." lines: one case run again and again
// (whether a slow case is slow itself or only met a busy moment), and the whole watched run,
// with its counts under the names given.
int PrintFuzzCaseTime(const char *pszName, FUZZ_CASE pfnCase, int nIndex, int nRepeats);
int PrintFuzzRun(const char *pszName, int nTotal, int nBatch, const char *const *ppszCountNames = NULL,
                 int nCountNames = 0);

// A fuzz mode made to fail, to show that the watcher notices: its case FUZZ_CRASH_CASE
// faults and its case FUZZ_HANG_CASE never ends; every other case does nothing.
const int FUZZ_CRASH_CASE = 7;
const int FUZZ_HANG_CASE = 23;
void FaultyFuzzCase(int nIndex, double *pdMicroseconds, LONG *pnCounts);
