// Starting children, the memory shared with them, and a crash told by the exit code.
#include "bench/child_processes.h"
#include "bench/timing.h"
#include <vector>

BenchShared *OpenShared(const std::wstring &strName, HANDLE *phMapping)
{
    *phMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(BenchShared),
                                    strName.c_str());
    if (!*phMapping)
        return NULL;
    return (BenchShared *)MapViewOfFile(*phMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(BenchShared));
}

std::wstring SharedNameOf(const wchar_t *pszPurpose)
{
    return std::wstring(pszPurpose) + L"-" + std::to_wstring(GetCurrentProcessId());
}

static LONG WINAPI ExitOnFault(EXCEPTION_POINTERS *pInfo)
{
    TerminateProcess(GetCurrentProcess(), pInfo->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

void InstallCrashExit()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ExitOnFault);
}

HANDLE StartProcess(const std::wstring &strCommandLine, const wchar_t *pszDir, DWORD *pdwProcessId)
{
    std::vector<wchar_t> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back(0);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(NULL, commandLine.data(), NULL, NULL, FALSE, 0, NULL, pszDir, &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    if (pdwProcessId)
        *pdwProcessId = pi.dwProcessId;
    return pi.hProcess;
}

bool EndChildDuringItsWork(HANDLE hChild, BenchShared *pShared, DWORD dwDelayMs, DWORD dwDelayUs, DWORD *pdwExit)
{
    const DWORD START_WAIT_MS = 60000;
    const UINT KILLED_EXIT = 0xDEAD;
    DWORD dwStart = GetTickCount();
    while (hChild && pShared->nDone < 1 && GetTickCount() - dwStart < START_WAIT_MS
           && WaitForSingleObject(hChild, 1) == WAIT_TIMEOUT)
    {
    }
    bool bWorked = hChild && pShared->nDone >= 1;
    if (!bWorked)
    {
        *pdwExit = STILL_ACTIVE;
        if (hChild)
            GetExitCodeProcess(hChild, pdwExit);
    }
    Sleep(dwDelayMs);
    double dUntil = NowMicroseconds() + dwDelayUs;
    while (NowMicroseconds() < dUntil)
    {
    }
    if (hChild)
    {
        TerminateProcess(hChild, KILLED_EXIT);
        WaitForSingleObject(hChild, INFINITE);
        CloseHandle(hChild);
    }
    return bWorked;
}
