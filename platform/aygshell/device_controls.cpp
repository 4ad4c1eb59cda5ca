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

void GiveDeviceLook(HWND hWnd)
{
    WCHAR szClass[32];
    if (!(GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) || !GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass)))
        return;
    if (IsClass(szClass, MONTHCAL_CLASSW))
    {
        SendMessageW(hWnd, WM_SETFONT, (WPARAM)g_hCalendarFont, FALSE);
        return;
    }
    if (IsClass(szClass, WC_TABCONTROLW))
        SendMessageW(hWnd, TCM_SETPADDING, 0, MAKELPARAM(ScaleToScreen(TAB_PADDING_X), ScaleToScreen(TAB_PADDING_Y)));
    for (const WCHAR *pszFontClass : SYSTEM_FONT_CLASSES)
        if (IsClass(szClass, pszFontClass))
            SendMessageW(hWnd, WM_SETFONT, (WPARAM)g_hSystemFont, FALSE);
}

// Called after each message sent to a window of this thread has been handled.
LRESULT CALLBACK AfterMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT *pMsg = (const CWPRETSTRUCT *)lParam;
    if (nCode == HC_ACTION && pMsg->message == WM_CREATE && pMsg->lResult != -1)
        GiveDeviceLook(pMsg->hwnd);
    return CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

}  // namespace

BOOL StartDeviceControls()
{
    g_hSystemFont = CreateSystemFont(0);
    g_hCalendarFont = CreateSystemFont(ScaleToScreen(CALENDAR_LINE_HEIGHT));
    g_hHook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, NULL, GetCurrentThreadId());
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
