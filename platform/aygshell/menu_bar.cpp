#include <aygshell.h>
#include "platform/aygshell/shell_metrics.h"

// The soft-key bar: a popup owned by the program's window, across the bottom of the screen.
// Each top-level item of the menu resource is one key, the first on the left; the keys are
// owner-drawn static controls, disabled so that taps fall through to the bar itself.
#define MENUBAR_CLASS       L"menu_worker"
#define SOFTKEY_CLASS       L"STATIC"
#define SOFTKEY_FIRST_ID    1
#define SOFTKEY_SLOTS       2       // the bar always has room for a left and a right key
#define SOFTKEY_TEXT_CCH    64
#define DIVIDER_INSET       4

#define MENUBAR_BACK        RGB(0x1F, 0x2F, 0x4A)
#define MENUBAR_TEXT        RGB(0xFF, 0xFF, 0xFF)
#define MENUBAR_DIVIDER     RGB(0x8C, 0x9C, 0xB8)

static HMENU BarMenu(HWND hWnd)
{
    return (HMENU)GetWindowLongPtrW(hWnd, GWLP_USERDATA);
}

static int KeySlots(HWND hWnd)
{
    HMENU hMenu = BarMenu(hWnd);
    int nKeys = hMenu ? GetMenuItemCount(hMenu) : 0;
    return nKeys > SOFTKEY_SLOTS ? nKeys : SOFTKEY_SLOTS;
}

// A menu command reaches the owner as if it came from a menu: identifier in the low word.
static void SendCommand(HWND hWnd, UINT nId)
{
    PostMessageW(GetWindow(hWnd, GW_OWNER), WM_COMMAND, MAKEWPARAM(nId, 0), 0);
}

static void OnSize(HWND hWnd, int cx, int cy)
{
    int nSlots = KeySlots(hWnd);
    int cxKey = cx / nSlots;
    for (HWND hKey = GetWindow(hWnd, GW_CHILD); hKey; hKey = GetWindow(hKey, GW_HWNDNEXT))
    {
        int nIndex = GetDlgCtrlID(hKey) - SOFTKEY_FIRST_ID;
        int cxThis = (nIndex == nSlots - 1) ? cx - nIndex * cxKey : cxKey;
        MoveWindow(hKey, nIndex * cxKey, 0, cxThis, cy, TRUE);
    }
}

static LRESULT OnCreate(HWND hWnd, const CREATESTRUCTW *pcs)
{
    HMENU hMenu = (HMENU)pcs->lpCreateParams;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, (LONG_PTR)hMenu);
    int nKeys = hMenu ? GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nKeys; i++)
    {
        WCHAR szText[SOFTKEY_TEXT_CCH] = L"";
        GetMenuStringW(hMenu, i, szText, ARRAYSIZE(szText), MF_BYPOSITION);
        CreateWindowExW(0, SOFTKEY_CLASS, szText, WS_CHILD | WS_VISIBLE | WS_DISABLED | SS_OWNERDRAW,
                        0, 0, 0, 0, hWnd, (HMENU)(INT_PTR)(SOFTKEY_FIRST_ID + i), pcs->hInstance, NULL);
    }
    OnSize(hWnd, pcs->cx, pcs->cy);
    return 0;
}

static LRESULT OnEraseBackground(HWND hWnd, HDC hdc)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    SetBkColor(hdc, MENUBAR_BACK);
    ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    return 1;
}

static void FillSolid(HDC hdc, const RECT &rc, COLORREF cr)
{
    SetBkColor(hdc, cr);
    ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
}

// Every key but the first carries the divider on its left edge.
static LRESULT OnDrawItem(const DRAWITEMSTRUCT *pdis)
{
    HDC hdc = pdis->hDC;
    RECT rc = pdis->rcItem;
    FillSolid(hdc, rc, MENUBAR_BACK);
    if (pdis->CtlID > SOFTKEY_FIRST_ID)
    {
        RECT rcDivider = { rc.left, rc.top + DIVIDER_INSET, rc.left + 1, rc.bottom - DIVIDER_INSET };
        FillSolid(hdc, rcDivider, MENUBAR_DIVIDER);
    }

    WCHAR szText[SOFTKEY_TEXT_CCH] = L"";
    GetWindowTextW(pdis->hwndItem, szText, ARRAYSIZE(szText));
    HGDIOBJ hOldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, MENUBAR_TEXT);
    DrawTextW(hdc, szText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
    SelectObject(hdc, hOldFont);
    return TRUE;
}

// A pop-up key opens its menu upward from the key's outer edge.
static void OpenPopup(HWND hWnd, HWND hKey, HMENU hPopup, BOOL bLeftKey)
{
    RECT rcKey;
    GetWindowRect(hKey, &rcKey);
    UINT uFlags = TPM_BOTTOMALIGN | TPM_RETURNCMD | TPM_NONOTIFY | (bLeftKey ? TPM_LEFTALIGN : TPM_RIGHTALIGN);
    UINT nId = (UINT)TrackPopupMenuEx(hPopup, uFlags, bLeftKey ? rcKey.left : rcKey.right, rcKey.top, hWnd, NULL);
    if (nId)
        SendCommand(hWnd, nId);
}

static void OnLButtonUp(HWND hWnd, int x, int y)
{
    HMENU hMenu = BarMenu(hWnd);
    POINT pt = { x, y };
    HWND hKey = ChildWindowFromPointEx(hWnd, pt, CWP_ALL);
    if (!hMenu || !hKey || hKey == hWnd)
        return;

    int nIndex = GetDlgCtrlID(hKey) - SOFTKEY_FIRST_ID;
    if (GetMenuState(hMenu, nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
        return;
    HMENU hPopup = GetSubMenu(hMenu, nIndex);
    if (hPopup)
    {
        OpenPopup(hWnd, hKey, hPopup, nIndex == 0);
        return;
    }
    UINT nId = GetMenuItemID(hMenu, nIndex);
    if (nId != (UINT)-1)
        SendCommand(hWnd, nId);
}

static void OnDestroy(HWND hWnd)
{
    HMENU hMenu = BarMenu(hWnd);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    if (hMenu)
        DestroyMenu(hMenu);
}

static LRESULT CALLBACK MenuBarWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_CREATE:         return OnCreate(hWnd, (const CREATESTRUCTW *)lParam);
    case WM_SIZE:           OnSize(hWnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_ERASEBKGND:     return OnEraseBackground(hWnd, (HDC)wParam);
    case WM_DRAWITEM:       return OnDrawItem((const DRAWITEMSTRUCT *)lParam);
    case WM_LBUTTONUP:      OnLButtonUp(hWnd, (short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;
    case WM_MOUSEACTIVATE:  return MA_NOACTIVATE;   // a tap on a key leaves the program's window active
    case WM_DESTROY:        OnDestroy(hWnd); return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

static BOOL RegisterMenuBarClass()
{
    WNDCLASSW wc;
    if (GetClassInfoW(ShellInstance(), MENUBAR_CLASS, &wc))
        return TRUE;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = MenuBarWndProc;
    wc.hInstance = ShellInstance();
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = MENUBAR_CLASS;
    return RegisterClassW(&wc) != 0;
}

// Only menu resources (SHCMBF_HMENU) and empty bars are built here; the toolbar-style
// resource of older programs is not.
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *pmbi)
{
    if (!pmbi || pmbi->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(pmbi->hwndParent))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HMENU hMenu = NULL;
    if (!(pmbi->dwFlags & SHCMBF_EMPTYBAR))
    {
        if (!(pmbi->dwFlags & SHCMBF_HMENU))
        {
            SetLastError(ERROR_NOT_SUPPORTED);
            return FALSE;
        }
        hMenu = LoadMenuW(pmbi->hInstRes, MAKEINTRESOURCEW(pmbi->nToolBarId));
        if (!hMenu)
            return FALSE;
    }
    if (!RegisterMenuBarClass())
    {
        if (hMenu)
            DestroyMenu(hMenu);
        return FALSE;
    }

    int cyBar = ScaleToScreen(MENUBAR_HEIGHT);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    HWND hBar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MENUBAR_CLASS, L"", WS_POPUP,
                                0, cyScreen - cyBar, cxScreen, cyBar,
                                pmbi->hwndParent, NULL, ShellInstance(), hMenu);
    if (!hBar)
    {
        if (hMenu && IsMenu(hMenu))
            DestroyMenu(hMenu);
        return FALSE;
    }
    if (!(pmbi->dwFlags & SHCMBF_HIDDEN))
        ShowWindow(hBar, SW_SHOWNA);
    pmbi->hwndMB = hBar;
    return TRUE;
}
