// A window with the soft-key bar and the nine month pictures of UlvoRes.dll, to look at the
// shell stand-in and the pictures on a real display (Xvfb). Not a test: it runs until closed.
#include <windows.h>
#include <aygshell.h>
#include <strsafe.h>
#include "core/resource_library.h"
#include "resources/ulvores_ids.h"
#include "tests/shell_test_ids.h"

namespace {

const wchar_t DEMO_CLASS[] = L"UlvoShellDemo";
const wchar_t DEMO_TITLE[] = L"孕期提醒：每月图片";
const wchar_t PICTURE_LABEL[] = L"图片 %d";
const int PICTURE_COUNT = IDB_MONTH_LAST - IDB_MONTH_FIRST + 1;
const int GRID_COLUMNS = 3;
const int MARGIN = 8;
const int TITLE_HEIGHT = 28;
const int LABEL_HEIGHT = 20;

ResourceLibrary g_resLib;
HBITMAP g_ahPictures[PICTURE_COUNT];

void PaintPicture(HDC hdc, HDC hdcMem, int nIndex, const RECT &rcCell)
{
    wchar_t szLabel[32];
    StringCchPrintfW(szLabel, ARRAYSIZE(szLabel), PICTURE_LABEL, IDB_MONTH_FIRST + nIndex);
    RECT rcLabel = { rcCell.left, rcCell.top, rcCell.right, rcCell.top + LABEL_HEIGHT };
    DrawTextW(hdc, szLabel, -1, &rcLabel, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (!g_ahPictures[nIndex])
        return;

    BITMAP bm;
    GetObjectW(g_ahPictures[nIndex], sizeof(bm), &bm);
    int cxRoom = rcCell.right - rcCell.left;
    int cyRoom = rcCell.bottom - rcLabel.bottom;
    int cx = cxRoom, cy = MulDiv(bm.bmHeight, cxRoom, bm.bmWidth);
    if (cy > cyRoom)
    {
        cy = cyRoom;
        cx = MulDiv(bm.bmWidth, cyRoom, bm.bmHeight);
    }
    HGDIOBJ hOld = SelectObject(hdcMem, g_ahPictures[nIndex]);
    SetStretchBltMode(hdc, HALFTONE);
    StretchBlt(hdc, rcCell.left + (cxRoom - cx) / 2, rcLabel.bottom, cx, cy,
               hdcMem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(hdcMem, hOld);
}

LRESULT OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    SetBkMode(hdc, TRANSPARENT);
    RECT rcTitle = { rc.left, rc.top, rc.right, rc.top + TITLE_HEIGHT };
    DrawTextW(hdc, DEMO_TITLE, -1, &rcTitle, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    int nRows = (PICTURE_COUNT + GRID_COLUMNS - 1) / GRID_COLUMNS;
    int cxCell = (rc.right - MARGIN) / GRID_COLUMNS;
    int cyCell = (rc.bottom - TITLE_HEIGHT - MARGIN) / nRows;
    HDC hdcMem = CreateCompatibleDC(hdc);
    for (int i = 0; i < PICTURE_COUNT; i++)
    {
        int x = MARGIN + (i % GRID_COLUMNS) * cxCell;
        int y = TITLE_HEIGHT + (i / GRID_COLUMNS) * cyCell;
        RECT rcCell = { x, y, x + cxCell - MARGIN, y + cyCell - MARGIN };
        PaintPicture(hdc, hdcMem, i, rcCell);
    }
    DeleteDC(hdcMem);
    EndPaint(hWnd, &ps);
    return 0;
}

LRESULT OnCommand(HWND hWnd, UINT nId)
{
    if (nId == IDC_TEST_QUIT)
        DestroyWindow(hWnd);
    return 0;
}

LRESULT OnDestroy()
{
    for (HBITMAP hbm : g_ahPictures)
        if (hbm)
            DeleteObject(hbm);
    g_resLib.FreeResLibrary();
    ResourceLibrary::ShowTaskBar();
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK DemoWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_PAINT:   return OnPaint(hWnd);
    case WM_COMMAND: return OnCommand(hWnd, LOWORD(wParam));
    case WM_DESTROY: return OnDestroy();
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    SHInitExtraControls();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DemoWndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = DEMO_CLASS;
    RegisterClassW(&wc);

    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    HWND hWnd = CreateWindowExW(0, DEMO_CLASS, DEMO_TITLE, WS_POPUP, 0, 0, cxScreen, cyScreen,
                                NULL, NULL, hInstance, NULL);
    if (!hWnd)
        return 1;

    // As the main program does: the bar, the scale, the library, then full screen above the bar.
    g_resLib.CreateMenuBar(hWnd, hInstance, IDM_TEST_BAR);
    HDC hdc = GetDC(NULL);
    g_resLib.InitScale(hdc);
    ReleaseDC(NULL, hdc);
    if (g_resLib.LoadResLibrary(L"UlvoRes.dll"))
        for (int i = 0; i < PICTURE_COUNT; i++)
            g_ahPictures[i] = SHLoadImageResource(g_resLib.m_hResModule, IDB_MONTH_FIRST + i);
    if (g_resLib.m_hwndMenuBar)
    {
        RECT rcBar;
        GetWindowRect(g_resLib.m_hwndMenuBar, &rcBar);
        MoveWindow(hWnd, 0, 0, cxScreen, cyScreen - (rcBar.bottom - rcBar.top), FALSE);
    }
    g_resLib.SetFullScreen(hWnd);
    ShowWindow(hWnd, nCmdShow);
    UpdateWindow(hWnd);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
