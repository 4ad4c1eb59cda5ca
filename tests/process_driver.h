#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Driving the programs from outside, as another process sees them.

// A bound for a slow start under Wine, never a measure.
const DWORD PROCESS_WAIT_LIMIT_MS = 60000;

// Waits for a handle (or, with none, just the time) while answering what other programs send
// to this thread's windows. True when the handle was signalled.
bool WaitPumping(HANDLE h, DWORD dwLimitMs = PROCESS_WAIT_LIMIT_MS);

// A window's text as another process reads it (GetWindowText does not cross processes).
std::wstring WindowText(HWND hWnd);

// The programs a test started or found: whatever still runs when the holder goes is ended,
// so a failing test leaves nothing behind for the next one.
class ChildProcesses
{
public:
    ChildProcesses() {}
    ~ChildProcesses();

    // Starts strExe with the arguments in strDir; the process handle, or null.
    HANDLE Start(const std::wstring &strExe, const std::wstring &strArgs, const std::wstring &strDir);
    // Takes over a handle opened elsewhere (it needs PROCESS_TERMINATE to be ended).
    HANDLE Track(HANDLE hProcess);

private:
    ChildProcesses(const ChildProcesses &);
    ChildProcesses &operator=(const ChildProcesses &);

    std::vector<HANDLE> m_processes;
};

// The exit code of a process once it ends, or 0xDEAD when it does not end in time.
DWORD ExitCodeOf(HANDLE hProcess);
