#include "today/item_window.h"
#include "today/item_state.h"
#include "today/status_line.h"
#include "core/config_document.h"
#include "core/debug_log.h"
#include "core/shared_names.h"
#include "platform/ce_compat.h"
#include <shellapi.h>
#include <todaycmn.h>

// The device is 32-bit; a 64-bit desktop build has its SDK's wider record.
static_assert(sizeof(void *) != 4 || sizeof(SHELLEXECUTEINFOW) == 60,
              "the shell expects the 60-byte record of the 32-bit device");

PFN_SHELLEXECUTEEX g_pfnShellExecuteEx = ShellExecuteExW;

static const WCHAR OPEN_VERB[] = L"Open";

static const int LANG_PRIMARY_MASK = 0x3FF;
static const int CJK_FONT_WEIGHT = 400;
static const int CJK_FONT_POINTS = 9;
static const int LATIN_FONT_WEIGHT = 700;
static const int LATIN_FONT_POINTS = 8;

static BOOL UsesCjkFont()
{
    int nPrimary = GetUserDefaultLangID() & LANG_PRIMARY_MASK;
    return nPrimary == LANG_CHINESE || nPrimary == LANG_JAPANESE || nPrimary == LANG_KOREAN;
}

HFONT CreateItemFont(HDC hdc)
{
    LOGFONTW lf;
    ZeroMemory(&lf, sizeof(lf));
    GetSystemFontDescription(&lf);
    // Points to pixels as the device computes it: 9/72 is exactly 0.125, 8/72 the double nearest 1/9.
    double dFactor;
    if (UsesCjkFont())
    {
        lf.lfWeight = CJK_FONT_WEIGHT;
        dFactor = (double)CJK_FONT_POINTS / 72;
    }
    else
    {
        lf.lfWeight = LATIN_FONT_WEIGHT;
        dFactor = (double)LATIN_FONT_POINTS / 72;
    }
    lf.lfHeight = -(int)(GetDeviceCaps(hdc, LOGPIXELSY) * dFactor + 0.5);
    return CreateFontIndirectW(&lf);
}

void PaintItem(HWND hWnd, HDC hdc)
{
    RECT rcWindow;
    GetWindowRect(hWnd, &rcWindow);
    RECT rcText = { 0, ScaleToDisplay(ITEM_TEXT_TOP, AXIS_VERTICAL),
                    rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top };
    SetBkMode(hdc, TRANSPARENT);

    if (g_hIcon && !DrawIconEx(hdc, ScaleToDisplay(ITEM_ICON_X, AXIS_HORIZONTAL), 0, g_hIcon, 0, 0, 0, NULL, DI_NORMAL))
        DebugLog(LOG_SRC_TODAY, LOG_ERROR, L"DrawIconEx errorcode = %d", GetLastError());

    HFONT hFont = CreateItemFont(hdc);
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    SetTextColor(hdc, (COLORREF)SendMessageW(GetParent(hWnd), TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0));
    rcText.left += ScaleToDisplay(ITEM_TEXT_LEFT, AXIS_HORIZONTAL);

    const WCHAR *pszText;
    if (g_bFirstDisplay)
    {
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"WM_PAINT, g_bFirstDisplay = TRUE");
        pszText = SETUP_PROMPT;
    }
    else
    {
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"WM_PAINT, g_bFirstDisplay = FALSE");
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"WM_PAINT, g_szShowTxt = %s", g_szShowTxt);
        pszText = g_szShowTxt;
    }
    DrawTextW(hdc, pszText, -1, &rcText, DT_CENTER | DT_WORDBREAK);

    SelectObject(hdc, hOldFont);
    DeleteObject(hFont);
}

static LRESULT OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    if (hdc)
    {
        PaintItem(hWnd, hdc);
        EndPaint(hWnd, &ps);
    }
    return 0;
}

// The Today screen's background shows through: the shell draws it into our DC.
static LRESULT OnEraseBackground(HWND hWnd, HDC hdc)
{
    TODAYDRAWWATERMARKINFO dwi;
    dwi.hdc = hdc;
    GetClientRect(hWnd, &dwi.rc);
    dwi.hwnd = hWnd;
    SendMessageW(GetParent(hWnd), TODAYM_DRAWWATERMARK, 0, (LPARAM)&dwi);
    return 1;
}

// Always the Main.exe beside this library, never one found on the search path.
static void StartMainProgram()
{
    WCHAR szPath[MAX_PATH] = { 0 };
    if (!GetModuleDirFilePath(g_hInstance, MAIN_PROGRAM_NAME, szPath))
        return;
    SHELLEXECUTEINFOW sei;
    ZeroMemory(&sei, sizeof(sei));
    sei.cbSize = sizeof(sei);
    sei.lpVerb = OPEN_VERB;
    sei.lpFile = szPath;
    g_pfnShellExecuteEx(&sei);
}

static LRESULT OnQueryRefreshCache(TODAYLISTITEM *pItem)
{
    if (!pItem)
        return 0;
    // Made unsignalled here if the shell has not made it yet: not ready.
    HANDLE hReady = CreateEventW(NULL, TRUE, FALSE, SHELL_API_READY_EVENT);
    DWORD dwWait = hReady ? WaitForSingleObject(hReady, 0) : WAIT_FAILED;
    if (hReady)
        CloseHandle(hReady);
    if (dwWait == WAIT_TIMEOUT)
        return 0;
    if (pItem->cyp == 0)
    {
        pItem->cyp = ScaleToDisplay(ITEM_HEIGHT, AXIS_VERTICAL);
        return 1;
    }
    return 0;
}

// Repainted when a line was computed, and when the prompt takes a line's place: a computation
// that finds no date shows the prompt, whatever was shown before.
static void Refresh(HWND hWnd)
{
    BOOL bWasPrompt = g_bFirstDisplay;
    if (CalculatePragnantTime() || bWasPrompt != g_bFirstDisplay)
        InvalidateRect(hWnd, NULL, TRUE);
}

// A window the shell discarded after it made a newer one must not unload the newer one's library
// nor let go of the class object its documents come from.
static LRESULT OnDestroy(HWND hWnd)
{
    if (hWnd == g_hWnd)
    {
        g_ItemResLib.FreeResLibrary();
        g_ItemConfig.ReleaseClassObject();
    }
    KillTimer(hWnd, REFRESH_TIMER_ID);
    return 0;
}

void CALLBACK RefreshTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    Refresh(hWnd);
}

LRESULT CALLBACK TodayItemWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_DESTROY:      return OnDestroy(hWnd);
    case WM_PAINT:        return OnPaint(hWnd);
    case WM_ERASEBKGND:   return OnEraseBackground(hWnd, (HDC)wParam);
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
                          return OnQueryRefreshCache((TODAYLISTITEM *)wParam);
    case WM_LBUTTONUP:
        StartMainProgram();
        break;
    case MYMSG_ULVO_REFRESH:
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"MYMSG_ULVO_REFRESH");
        Refresh(hWnd);
        break;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}
