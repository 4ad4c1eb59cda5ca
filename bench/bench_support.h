#pragma once
// What the bench programs and their short versions among the tests share: the fuzz corpus
// and its mutations, the process's object and memory counters, timing, files, and a child
// process watched for crashes and hangs.
#include <windows.h>
#include <string>
#include <vector>

// xorshift32: the same sequence on every machine and every run.
class BenchRandom
{
public:
    explicit BenchRandom(unsigned int nSeed) : m_nState(nSeed ? nSeed : 0x9E3779B9u) {}
    unsigned int Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    unsigned int m_nState;
};

const unsigned int FUZZ_SEED = 20100101u;

// Real configuration files as the device's component and our own save write them.
const std::vector<std::string> &FuzzSeeds();

// Case nIndex of the fuzz run with seed nSeed: one seed file with one to four mutations.
// Each case stands alone, so a batch may start at any index.
std::string FuzzCase(unsigned int nSeed, int nIndex);

// A configuration file as the settings save writes it.
std::string ConfigFile(const char *pszStart, const char *pszMethod, const char *pszEncoding = "GB2312");

// Wine answers GetGuiResources, GetProcessHandleCount and PrivateUsage with 0, so where they
// give nothing the objects are counted directly: GDI objects in the process's GDI handle
// table (the PEB's shared table, owner = this process), USER objects by asking every USER
// handle index whether it is a window of this process or an icon, kernel handles by asking
// every handle value for its flags. The *Counted fields say which way each figure was had.
struct ProcessCounters
{
    DWORD dwGdiObjects;
    DWORD dwUserObjects;
    DWORD dwHandles;
    SIZE_T cbPrivate;     // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage (0 under Wine)
    SIZE_T cbHeapInUse;   // busy blocks of every heap of the process, by HeapWalk
    bool bGdiCounted;
    bool bUserCounted;
    bool bHandlesCounted;
};
ProcessCounters ReadProcessCounters();

// Microseconds from the performance counter.
double NowMicroseconds();
double Median(std::vector<double> values);

bool WriteWholeFile(const std::wstring &strPath, const std::string &strBytes);
// Reads as the configuration reader does: the same sharing, and a moment's patience while
// another process replaces the file. False when the file cannot be opened.
bool ReadWholeFile(const std::wstring &strPath, std::string *pstrBytes);

std::wstring ExeDir();
std::wstring TempFolder(const wchar_t *pszName);   // made fresh under %TEMP%
void RemoveFolder(const std::wstring &strDir);

// A region of memory shared with a child process by name: where the child says how far it got.
struct BenchShared
{
    volatile LONG nCurrent;      // the case being worked on
    volatile LONG nDone;         // cases finished
    volatile LONG nSlowestCase;
    volatile LONG nReady;        // set by a child that is ready for its partner
    volatile LONG nStop;         // set by the partner when the child should end
    volatile LONG nCounts[8];    // results a child hands back
    volatile LONG nFirstCases[8];  // for each count of a fuzz run: 1 + the first case it counted
    double dSlowestUs;           // the slowest case, by the median of its repeats
    double dSlowestOnceUs;       // the slowest single timing, whatever the machine did then
};
BenchShared *OpenShared(const std::wstring &strName, HANDLE *phMapping);
// A name of this process for such a region: the purpose, then the process id.
std::wstring SharedNameOf(const wchar_t *pszPurpose);

// Ends the process at once with the exception's code on any fault, with no debugger or dialog,
// so a watching parent sees the crash in the exit code.
void InstallCrashExit();

// Starts a program with a command line; the handle or NULL.
HANDLE StartProcess(const std::wstring &strCommandLine);

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

// What the Today item's line and the main program's status say of the day, in one vocabulary
// for comparing them: "prompt", "week W day D", "first day", "due day", "past due"; "?" and the
// text for anything the program does not show.
std::string DayStateOfItemLine(const std::wstring &strLine);
std::string DayStateOfMainStatus(const std::wstring &strStatus);

// The item's day state for fuzz cases [nFirst, nFirst + nCount), one after another in one
// process, from bench_item.exe beside this program. False when it did not report them all.
bool ItemFuzzStates(int nFirst, int nCount, std::vector<std::string> *pStates);

// The names in a folder, files and folders, "." and ".." left out, sorted.
std::vector<std::wstring> FilesIn(const std::wstring &strDir);

// Checks what a reader saw of a configuration file being saved by another process: a whole
// document with both values, a date among the saved ones and a method of "1" or "2".
bool IsWholeConfig(const std::string &strBytes);
