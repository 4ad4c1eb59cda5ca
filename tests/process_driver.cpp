#include "tests/process_driver.h"

static const DWORD WAIT_STEP_MS = 50;

bool WaitPumping(HANDLE h, DWORD dwLimitMs)
{
    for (DWORD dwWaited = 0; dwWaited < dwLimitMs; dwWaited += WAIT_STEP_MS)
    {
        DWORD dw = MsgWaitForMultipleObjects(h ? 1 : 0, &h, FALSE, WAIT_STEP_MS, QS_ALLINPUT);
        if (h && dw == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return false;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t sz[2048] = L"";
    SendMessageTimeoutW(hWnd, WM_GETTEXT, ARRAYSIZE(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 10000, NULL);
    return sz;
}

ChildProcesses::~ChildProcesses()
{
    for (HANDLE h : m_processes)
    {
        if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0)
        {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 10000);
        }
        CloseHandle(h);
    }
}

HANDLE ChildProcesses::Start(const std::wstring &strExe, const std::wstring &strArgs, const std::wstring &strDir)
{
    std::wstring strCmd = L"\"" + strExe + L"\"";
    if (!strArgs.empty())
        strCmd += L" " + strArgs;
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(strExe.c_str(), &strCmd[0], NULL, NULL, FALSE, 0, NULL, strDir.c_str(), &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return Track(pi.hProcess);
}

HANDLE ChildProcesses::Track(HANDLE hProcess)
{
    if (hProcess)
        m_processes.push_back(hProcess);
    return hProcess;
}

DWORD ExitCodeOf(HANDLE hProcess)
{
    DWORD dwCode = 0xDEAD;
    if (WaitPumping(hProcess))
        GetExitCodeProcess(hProcess, &dwCode);
    return dwCode;
}
