#pragma once
// Child processes: starting one, the region of memory a parent shares with it by name, and a
// child's exit on a fault that its parent can read.
#include <windows.h>
#include <string>

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

// Starts a program with a command line, in the folder pszDir (NULL: this process's), giving its
// id in *pdwProcessId where asked; the handle or NULL.
HANDLE StartProcess(const std::wstring &strCommandLine, const wchar_t *pszDir = NULL, DWORD *pdwProcessId = NULL);

// Waits, at most a minute, for a child to have finished its first piece of work (pShared->nDone),
// lets dwDelayMs milliseconds and dwDelayUs microseconds more pass and ends it with
// TerminateProcess, so that the end falls on any moment of its work. Whether it got as far as
// that work; if not, its exit code in *pdwExit (STILL_ACTIVE while it ran). The handle is closed.
bool EndChildDuringItsWork(HANDLE hChild, BenchShared *pShared, DWORD dwDelayMs, DWORD dwDelayUs, DWORD *pdwExit);
