// A Today item for the shell stand-in's tests. It writes what happens to it, one line per
// event, to the file named by FAKE_TODAY_ITEM_LOG, so the test (another process) can read it.
// Its registry value "Flags" sets its heights: the low word at the first height query, the
// high word (when not 0) at a later one, so the shell's polling shows up as a new layout.
#include <windows.h>
#include <stdio.h>
#include <stdarg.h>
#include <todaycmn.h>

namespace {

const WCHAR ITEM_CLASS[] = L"FakeTodayItem";
const WCHAR LOG_VARIABLE[] = L"FAKE_TODAY_ITEM_LOG";
const int PROBE_CX = 4;

HINSTANCE g_hInstance;

void LogLine(const char *pszFormat, ...)
{
    WCHAR szPath[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(LOG_VARIABLE, szPath, MAX_PATH);
    if (cch == 0 || cch >= MAX_PATH)
        return;
    char szLine[512];
    va_list args;
    va_start(args, pszFormat);
    int n = _vsnprintf(szLine, sizeof(szLine) - 2, pszFormat, args);
    va_end(args);
    if (n < 0)
        n = sizeof(szLine) - 2;
    szLine[n++] = '\n';
    HANDLE hFile = CreateFileW(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD cbWritten = 0;
    WriteFile(hFile, szLine, (DWORD)n, &cbWritten, NULL);
    CloseHandle(hFile);
}

void NameOf(HWND hWnd, char *pszName, int cch)
{
    WCHAR szName[MAX_ITEMNAME];
    GetWindowTextW(hWnd, szName, MAX_ITEMNAME);
    WideCharToMultiByte(CP_ACP, 0, szName, -1, pszName, cch, NULL, NULL);
}

// Asks the shell for its background under the whole item, into a bitmap of our own, and
// reports the colours it painted at the item's top and bottom rows.
void ProbeWatermark(HWND hWnd, int cy)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = PROBE_CX;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void *pBits = NULL;
    HBITMAP hbm = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdc = CreateCompatibleDC(NULL);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    RECT rcFill = { 0, 0, PROBE_CX, cy };
    FillRect(hdc, &rcFill, (HBRUSH)GetStockObject(BLACK_BRUSH));

    TODAYDRAWWATERMARKINFO info;
    info.hdc = hdc;
    info.rc = rcFill;
    info.hwnd = hWnd;
    LRESULT lResult = SendMessageW(GetParent(hWnd), TODAYM_DRAWWATERMARK, 0, (LPARAM)&info);
    COLORREF crTop = GetPixel(hdc, 0, 0);
    COLORREF crBottom = GetPixel(hdc, 0, cy - 1);

    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);

    char szName[MAX_ITEMNAME];
    NameOf(hWnd, szName, MAX_ITEMNAME);
    LogLine("watermark %s %d %d 0x%06lx 0x%06lx", szName, (int)lResult, cy,
            (unsigned long)crTop, (unsigned long)crBottom);
}

LRESULT OnQueryRefreshCache(HWND hWnd, TODAYLISTITEM *pItem)
{
    if (!pItem)
        return FALSE;
    DWORD cyFirst = LOWORD(pItem->grflags);
    DWORD cyLater = HIWORD(pItem->grflags);
    LONG_PTR nQueries = GetWindowLongPtrW(hWnd, GWLP_USERDATA) + 1;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, nQueries);

    DWORD cyWanted = (nQueries > 1 && cyLater != 0) ? cyLater : cyFirst;
    BOOL bChanged = pItem->cyp != cyWanted;
    pItem->cyp = cyWanted;
    if (bChanged)
    {
        char szName[MAX_ITEMNAME];
        NameOf(hWnd, szName, MAX_ITEMNAME);
        LogLine("height %s %lu", szName, (unsigned long)cyWanted);
    }
    return bChanged;
}

LRESULT OnSize(HWND hWnd, int cy)
{
    if (cy > 0)
        ProbeWatermark(hWnd, cy);
    return 0;
}

LRESULT OnEraseBackground(HWND hWnd, HDC hdc)
{
    TODAYDRAWWATERMARKINFO info;
    info.hdc = hdc;
    GetClientRect(hWnd, &info.rc);
    info.hwnd = hWnd;
    SendMessageW(GetParent(hWnd), TODAYM_DRAWWATERMARK, 0, (LPARAM)&info);
    return 1;
}

LRESULT OnDestroy(HWND hWnd)
{
    char szName[MAX_ITEMNAME];
    NameOf(hWnd, szName, MAX_ITEMNAME);
    LogLine("destroy %s", szName);
    return 0;
}

LRESULT CALLBACK FakeItemWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:  return OnQueryRefreshCache(hWnd, (TODAYLISTITEM *)wParam);
    case WM_SIZE:                           return OnSize(hWnd, HIWORD(lParam));
    case WM_ERASEBKGND:                     return OnEraseBackground(hWnd, (HDC)wParam);
    case WM_DESTROY:                        return OnDestroy(hWnd);
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        g_hInstance = hInstance;
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = FakeItemWndProc;
        wc.hInstance = hInstance;
        wc.lpszClassName = ITEM_CLASS;
        RegisterClassW(&wc);
        LogLine("attach");
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        UnregisterClassW(ITEM_CLASS, g_hInstance);
        // A null reserved pointer means FreeLibrary, not the end of the process.
        LogLine(pReserved ? "detach exit" : "detach free");
    }
    return TRUE;
}

extern "C" HWND APIENTRY InitializeCustomItem(TODAYLISTITEM *ptli, HWND hwndParent)
{
    if (!ptli)
        return NULL;
    WCHAR szParentClass[64] = L"";
    GetClassNameW(hwndParent, szParentClass, 64);
    HWND hWnd = CreateWindowExW(0, ITEM_CLASS, ptli->szName, WS_CHILD | WS_VISIBLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                                hwndParent, NULL, g_hInstance, NULL);
    char szName[MAX_ITEMNAME];
    WideCharToMultiByte(CP_ACP, 0, ptli->szName, -1, szName, MAX_ITEMNAME, NULL, NULL);
    char szClass[64];
    WideCharToMultiByte(CP_ACP, 0, szParentClass, -1, szClass, 64, NULL, NULL);
    LogLine("init %s type=%d order=%lu enabled=%d cyp=%lu hinst=%d parent=%s", szName, (int)ptli->tlit,
            (unsigned long)ptli->dwOrder, ptli->fEnabled, (unsigned long)ptli->cyp,
            ptli->hinstDLL == g_hInstance, szClass);

    COLORREF crText = (COLORREF)SendMessageW(hwndParent, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0);
    LogLine("color %s 0x%06lx", szName, (unsigned long)crText);
    return hWnd;
}

extern "C" BOOL APIENTRY CustomItemOptionsDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}
