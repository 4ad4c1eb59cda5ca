#include "platform/today/task_bar.h"
#include "platform/today/host_layout.h"
#include "platform/today/host_names.h"
#include <aygshell.h>
#include <strsafe.h>

namespace {

const UINT_PTR CLOCK_TIMER = 1;
const UINT CLOCK_MS = 1000;
const COLORREF TASKBAR_BACK = RGB(0x10, 0x3A, 0x8C);
const COLORREF TASKBAR_TEXT = RGB(0xFF, 0xFF, 0xFF);
const WCHAR CLOSE_GLYPH[] = L"\x00D7";
const int TEXT_MARGIN_96 = 4;

WCHAR g_szClock[64];

// The date and the time in the user's own formats, as the device's task bar shows them.
void FormatClock(WCHAR *pszClock, size_t cch)
{
    WCHAR szDate[32] = L"";
    WCHAR szTime[32] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, NULL, NULL, szDate, ARRAYSIZE(szDate));
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, NULL, NULL, szTime, ARRAYSIZE(szTime));
    StringCchPrintfW(pszClock, cch, L"%s  %s", szDate, szTime);
}

int CloseBoxLeft(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    return rc.right - rc.bottom;
}

LRESULT OnCreate(HWND hWnd)
{
    FormatClock(g_szClock, ARRAYSIZE(g_szClock));
    SetTimer(hWnd, CLOCK_TIMER, CLOCK_MS, NULL);
    return 0;
}

LRESULT OnTimer(HWND hWnd)
{
    WCHAR szClock[64];
    FormatClock(szClock, ARRAYSIZE(szClock));
    if (lstrcmpW(szClock, g_szClock) != 0)
    {
        StringCchCopyW(g_szClock, ARRAYSIZE(g_szClock), szClock);
        InvalidateRect(hWnd, NULL, TRUE);
    }
    return 0;
}

LRESULT OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);

    HBRUSH hbr = CreateSolidBrush(TASKBAR_BACK);
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);

    HFONT hFont = CreateFontW(-ScaleForScreen(TASKBAR_FONT_CY_96), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, TASKBAR_TEXT);

    RECT rcText = rc;
    rcText.left += ScaleForScreen(TEXT_MARGIN_96);
    rcText.right = CloseBoxLeft(hWnd);
    DrawTextW(hdc, g_szClock, -1, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    RECT rcClose = rc;
    rcClose.left = CloseBoxLeft(hWnd);
    DrawTextW(hdc, CLOSE_GLYPH, -1, &rcClose, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    SelectObject(hdc, hOldFont);
    DeleteObject(hFont);
    EndPaint(hWnd, &ps);
    return 0;
}

LRESULT OnLButtonUp(HWND hWnd, int x)
{
    if (x >= CloseBoxLeft(hWnd))
        PostMessageW(GetWindow(hWnd, GW_OWNER), WM_CLOSE, 0, 0);
    return 0;
}

// On the device a minimized task bar is off the screen while a full-screen program runs; a
// desktop without a window manager would leave it drawn over that program.
LRESULT OnSize(HWND hWnd, WPARAM wParam)
{
    if (wParam == SIZE_MINIMIZED)
        ShowWindow(hWnd, SW_HIDE);
    return 0;
}

LRESULT OnDestroy(HWND hWnd)
{
    KillTimer(hWnd, CLOCK_TIMER);
    return 0;
}

LRESULT CALLBACK TaskBarWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_CREATE:     return OnCreate(hWnd);
    case WM_TIMER:      return OnTimer(hWnd);
    case WM_PAINT:      return OnPaint(hWnd);
    case WM_LBUTTONUP:  return OnLButtonUp(hWnd, (short)LOWORD(lParam));
    case WM_SIZE:       return OnSize(hWnd, wParam);
    case WM_DESTROY:    return OnDestroy(hWnd);
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

BOOL RegisterTaskBar(HINSTANCE hInstance)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = TaskBarWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = TASKBAR_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreateTaskBar(HINSTANCE hInstance, HWND hwndOwner, int cx, int cy)
{
    // A top-level window of its own, owned by the shell so it stays above it, which a
    // full-screen program finds by class and hides.
    return CreateWindowExW(0, TASKBAR_CLASS, L"", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy,
                           hwndOwner, NULL, hInstance, NULL);
}
