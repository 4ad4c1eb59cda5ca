#include "platform/aygshell/device_controls.h"
#include "platform/ce_compat.h"
#include <commctrl.h>
#include "platform/aygshell/shell_metrics.h"

// A control the program gives no font draws in the system font, which the device draws for the
// screen's density: on a 192-dpi screen its text is twice as tall and twice as wide as at 96 dpi,
// and the tab control's margins around its labels double too. Wine's stock system font grows in
// height only and keeps the average width it has at 96 dpi, so text at 192 dpi comes out half as
// wide as it should; Wine's tab control keeps margins of 96-dpi pixels.
//
// Wine's month calendar, in the system font, makes each day column as wide as four digits and
// its week-number column as wide as its title is tall: 256 pixels at 96 dpi, more than a
// 240-pixel screen leaves it beside the settings dialog's margin. In a font of 10-pixel lines
// (20 at 192 dpi) it is 160 x 95, and whole on the screen, as the device's calendar is.
//
// Main sets none of this itself, and this library is the one part of the device that every
// program of ours loads on the desktop: it gives each such control the device's look as the
// control is created, before the program asks it for its size. A dialog's template font, set
// after creation, still wins, as on the device.

namespace {

const int CALENDAR_LINE_HEIGHT = 10;        // pixels at 96 dpi, the font's whole line
const int TAB_PADDING_X = 6, TAB_PADDING_Y = 3;   // Wine's margins around a tab's label at 96 dpi

// Controls that draw their text in the system font unless given another.
const WCHAR *const SYSTEM_FONT_CLASSES[] = { L"EDIT", L"BUTTON", L"STATIC", L"LISTBOX", L"COMBOBOX", WC_TABCONTROLW };

HHOOK g_hHook = NULL;
HFONT g_hSystemFont = NULL;
HFONT g_hCalendarFont = NULL;

// The stock system font with its width grown with the density, as its height already has; or
// its face in regular weight at a line height in pixels of this screen.
HFONT CreateSystemFont(int nLineHeight)
{
    LOGFONTW lf;
    if (!GetSystemFontDescription(&lf))
        return NULL;
    if (nLineHeight)
    {
        lf.lfHeight = nLineHeight;
        lf.lfWidth = 0;
        lf.lfWeight = FW_NORMAL;
    }
    return CreateFontIndirectW(&lf);
}

bool IsClass(const WCHAR *pszClass, const WCHAR *pszWanted)
{
    return lstrcmpiW(pszClass, pszWanted) == 0;
}

bool IsDeviceLookClass(const WCHAR *pszClass)
{
    if (IsClass(pszClass, MONTHCAL_CLASSW))
        return true;
    for (const WCHAR *pszFontClass : SYSTEM_FONT_CLASSES)
        if (IsClass(pszClass, pszFontClass))
            return true;
    return false;
}

void GiveDeviceLook(HWND hWnd, const WCHAR *pszClass)
{
    if (IsClass(pszClass, MONTHCAL_CLASSW))
    {
        SendMessageW(hWnd, WM_SETFONT, (WPARAM)g_hCalendarFont, FALSE);
        return;
    }
    if (IsClass(pszClass, WC_TABCONTROLW))
        SendMessageW(hWnd, TCM_SETPADDING, 0, MAKELPARAM(ScaleToScreen(TAB_PADDING_X), ScaleToScreen(TAB_PADDING_Y)));
    SendMessageW(hWnd, WM_SETFONT, (WPARAM)g_hSystemFont, FALSE);
}

// Controls made but not yet through their WM_CREATE, each with the procedure it came with. A
// control that makes another while it is being made nests them; deeper than this is not met.
const int PENDING_MAX = 16;
struct PendingControl
{
    HWND hWnd;
    WNDPROC pfnProc;
};
PendingControl g_aPending[PENDING_MAX];
int g_nPending = 0;

int FindPending(HWND hWnd)
{
    for (int i = g_nPending - 1; i >= 0; i--)
        if (g_aPending[i].hWnd == hWnd)
            return i;
    return -1;
}

// Stands in front of a new control's own procedure until its WM_CREATE has been answered; then
// the control has its procedure back, unless it took another meanwhile, and the device's look.
LRESULT CALLBACK UntilCreated(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    int nIndex = FindPending(hWnd);
    if (nIndex < 0)
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    WNDPROC pfnProc = g_aPending[nIndex].pfnProc;
    LRESULT lResult = CallWindowProcW(pfnProc, hWnd, uMsg, wParam, lParam);
    if (uMsg != WM_CREATE && uMsg != WM_NCDESTROY)
        return lResult;
    // A control that went already, inside its own WM_CREATE, is through.
    nIndex = FindPending(hWnd);
    if (nIndex < 0)
        return lResult;
    g_aPending[nIndex] = g_aPending[--g_nPending];
    if ((WNDPROC)GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == UntilCreated)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
    WCHAR szClass[32];
    if (uMsg == WM_CREATE && lResult != -1 && GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass)))
        GiveDeviceLook(hWnd, szClass);
    return lResult;
}

// Called as each window of this thread is made, before it hears of its creation. A hook on
// every message would cost Wine a trip to its server for each message the thread sends; this
// one is called for a few events only.
LRESULT CALLBACK OnWindowEvent(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = (HWND)wParam;
    const CBT_CREATEWNDW *pCreate = (const CBT_CREATEWNDW *)lParam;
    WCHAR szClass[32];
    if (nCode == HCBT_CREATEWND && (pCreate->lpcs->style & WS_CHILD)
        && GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass)) && IsDeviceLookClass(szClass))
    {
        // A handle left by a window whose making was called off is taken over by the new one.
        int nIndex = FindPending(hWnd);
        if (nIndex < 0 && g_nPending < PENDING_MAX)
            nIndex = g_nPending++;
        if (nIndex >= 0)
        {
            PendingControl pending = { hWnd, (WNDPROC)GetWindowLongPtrW(hWnd, GWLP_WNDPROC) };
            g_aPending[nIndex] = pending;
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)UntilCreated);
        }
    }
    return CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

}  // namespace

BOOL StartDeviceControls()
{
    g_hSystemFont = CreateSystemFont(0);
    g_hCalendarFont = CreateSystemFont(ScaleToScreen(CALENDAR_LINE_HEIGHT));
    g_hHook = SetWindowsHookExW(WH_CBT, OnWindowEvent, NULL, GetCurrentThreadId());
    return g_hHook != NULL;
}

void StopDeviceControls()
{
    if (g_hHook)
        UnhookWindowsHookEx(g_hHook);
    g_hHook = NULL;
    DeleteObject(g_hSystemFont);
    DeleteObject(g_hCalendarFont);
    g_hSystemFont = g_hCalendarFont = NULL;
}
