// shellpoke.exe: what the run script needs to drive the Today screen stand-in and Main from outside.
//   shellpoke wait CLASS SECONDS   waits until a visible window of that class exists (exit 0)
//   shellpoke gone CLASS SECONDS   waits until no visible window of that class is left (exit 0)
//   shellpoke tap CLASS            taps the middle of that window, as a finger would (exit 0)
//   shellpoke close CLASS          asks that top-level window to close (exit 0)
//   shellpoke lower CLASS          puts that top-level window below all others (exit 0)
//   shellpoke command CLASS ID     sends that window the command ID, as its menu would (exit 0)
//   shellpoke page INDEX           taps the label of page INDEX in the tab control (exit 0)
// A window of the class is looked for among all top-level windows and their descendants.
#include <windows.h>
#include <commctrl.h>
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

int WaitGone(const WCHAR *pszClass, DWORD nSeconds)
{
    DWORD dwStart = GetTickCount();
    while (FindByClass(pszClass))
    {
        if (GetTickCount() - dwStart >= nSeconds * 1000)
            return 1;
        Sleep(POLL_MS);
    }
    return 0;
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

int Command(const WCHAR *pszClass, WORD wId)
{
    HWND hwnd = FindByClass(pszClass);
    if (!hwnd)
        return 1;
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(wId, 0), 0);
    return 0;
}

// A label's rectangle cannot be asked for from another process (the answer is written through
// a pointer), so the tap walks along the row of labels until the wanted page is selected.
int Page(int nIndex)
{
    HWND hTab = FindByClass(WC_TABCONTROLW);
    if (!hTab || nIndex < 0 || nIndex >= (int)SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0))
        return 1;
    RECT rc;
    GetClientRect(hTab, &rc);
    int y = GetSystemMetrics(SM_CYSMICON) / 2;   // inside the row of labels at any density
    for (int x = 1; x < rc.right; x += 4)
    {
        if ((int)SendMessageW(hTab, TCM_GETCURSEL, 0, 0) == nIndex)
            return 0;
        LPARAM lPos = MAKELPARAM(x, y);
        SendMessageW(hTab, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
        SendMessageW(hTab, WM_LBUTTONUP, 0, lPos);
    }
    return (int)SendMessageW(hTab, TCM_GETCURSEL, 0, 0) == nIndex ? 0 : 1;
}

} // namespace

int main()
{
    int nArgs = 0;
    LPWSTR *ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs || nArgs < 3)
    {
        fprintf(stderr, "usage: shellpoke wait CLASS SECONDS | gone CLASS SECONDS | tap CLASS | close CLASS | lower CLASS"
                        " | command CLASS ID | page INDEX\n");
        return 2;
    }
    int nResult = 2;
    if (lstrcmpiW(ppszArgs[1], L"wait") == 0 && nArgs >= 4)
        nResult = Wait(ppszArgs[2], (DWORD)wcstoul(ppszArgs[3], NULL, 10));
    else if (lstrcmpiW(ppszArgs[1], L"gone") == 0 && nArgs >= 4)
        nResult = WaitGone(ppszArgs[2], (DWORD)wcstoul(ppszArgs[3], NULL, 10));
    else if (lstrcmpiW(ppszArgs[1], L"tap") == 0)
        nResult = Tap(ppszArgs[2]);
    else if (lstrcmpiW(ppszArgs[1], L"close") == 0)
        nResult = Close(ppszArgs[2]);
    else if (lstrcmpiW(ppszArgs[1], L"lower") == 0)
        nResult = Lower(ppszArgs[2]);
    else if (lstrcmpiW(ppszArgs[1], L"command") == 0 && nArgs >= 4)
        nResult = Command(ppszArgs[2], (WORD)wcstoul(ppszArgs[3], NULL, 10));
    else if (lstrcmpiW(ppszArgs[1], L"page") == 0)
        nResult = Page(_wtoi(ppszArgs[2]));
    LocalFree(ppszArgs);
    return nResult;
}
