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
