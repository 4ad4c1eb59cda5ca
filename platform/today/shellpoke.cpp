// shellpoke.exe: what the run script needs to drive the Today screen stand-in from outside.
//   shellpoke wait CLASS SECONDS   waits until a visible window of that class exists (exit 0)
//   shellpoke tap CLASS            taps the middle of that window, as a finger would (exit 0)
//   shellpoke close CLASS          asks that top-level window to close (exit 0)
//   shellpoke lower CLASS          puts that top-level window below all others (exit 0)
// A window of the class is looked for among all top-level windows and their descendants.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const DWORD POLL_MS = 200;

struct FindRequest
{
    const WCHAR *pszClass;
    HWND hwndFound;
};

BOOL IsWanted(HWND hwnd, FindRequest *pRequest)
{
    WCHAR szClass[256];
    if (!GetClassNameW(hwnd, szClass, ARRAYSIZE(szClass)))
        return FALSE;
    if (lstrcmpiW(szClass, pRequest->pszClass) != 0 || !IsWindowVisible(hwnd))
        return FALSE;
    pRequest->hwndFound = hwnd;
    return TRUE;
}

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lParam)
{
    return !IsWanted(hwnd, (FindRequest *)lParam);
}

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam)
{
    FindRequest *pRequest = (FindRequest *)lParam;
    if (IsWanted(hwnd, pRequest))
        return FALSE;
    EnumChildWindows(hwnd, FindChild, lParam);
    return pRequest->hwndFound == NULL;
}

HWND FindByClass(const WCHAR *pszClass)
{
    FindRequest request = { pszClass, NULL };
    EnumWindows(FindTopLevel, (LPARAM)&request);
    return request.hwndFound;
}

int Wait(const WCHAR *pszClass, DWORD nSeconds)
{
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        HWND hwnd = FindByClass(pszClass);
        if (hwnd)
        {
            RECT rc;
            GetWindowRect(hwnd, &rc);
            printf("%ls %ld,%ld %ldx%ld\n", pszClass, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
            return 0;
        }
        if (GetTickCount() - dwStart >= nSeconds * 1000)
            return 1;
        Sleep(POLL_MS);
    }
}

int Tap(const WCHAR *pszClass)
{
    HWND hwnd = FindByClass(pszClass);
    if (!hwnd)
        return 1;
    RECT rc;
    GetClientRect(hwnd, &rc);
    LPARAM lPos = MAKELPARAM(rc.right / 2, rc.bottom / 2);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, lPos);
    return 0;
}

int Close(const WCHAR *pszClass)
{
    HWND hwnd = FindWindowW(pszClass, NULL);
    if (!hwnd)
        return 1;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

// The Today screen is the desktop, below every program; Wine without a window manager does not
// always restack its X windows when a program comes up over it, so a picture would show it on top.
int Lower(const WCHAR *pszClass)
{
    HWND hwnd = FindWindowW(pszClass, NULL);
    if (!hwnd)
        return 1;
    return SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? 0 : 1;
}

} // namespace

int main()
{
    int nArgs = 0;
    LPWSTR *ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs || nArgs < 3)
    {
        fprintf(stderr, "usage: shellpoke wait CLASS SECONDS | tap CLASS | close CLASS | lower CLASS\n");
        return 2;
    }
    int nResult = 2;
    if (lstrcmpiW(ppszArgs[1], L"wait") == 0 && nArgs >= 4)
        nResult = Wait(ppszArgs[2], (DWORD)wcstoul(ppszArgs[3], NULL, 10));
    else if (lstrcmpiW(ppszArgs[1], L"tap") == 0)
        nResult = Tap(ppszArgs[2]);
    else if (lstrcmpiW(ppszArgs[1], L"close") == 0)
        nResult = Close(ppszArgs[2]);
    else if (lstrcmpiW(ppszArgs[1], L"lower") == 0)
        nResult = Lower(ppszArgs[2]);
    LocalFree(ppszArgs);
    return nResult;
}
