#include "tests/test_today_window.h"
#include <todaycmn.h>

const COLORREF TEST_TODAY_TEXT = RGB(200, 0, 0);
const COLORREF TEST_TODAY_BACKGROUND = RGB(255, 255, 255);

static const wchar_t TEST_TODAY_CLASS[] = L"UlvoTestToday";

static LRESULT CALLBACK TestTodayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case TODAYM_GETCOLOR:
        return wParam == TODAYCOLOR_TEXT ? TEST_TODAY_TEXT : RGB(0, 0, 255);
    case TODAYM_DRAWWATERMARK:
    {
        TODAYDRAWWATERMARKINFO *pInfo = (TODAYDRAWWATERMARKINFO *)lParam;
        HBRUSH hBrush = CreateSolidBrush(TEST_TODAY_BACKGROUND);
        FillRect(pInfo->hdc, &pInfo->rc, hBrush);
        DeleteObject(hBrush);
        return 0;
    }
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND CreateTestTodayWindow(int x, int y, int cx, int cy)
{
    WNDCLASSW wc;
    if (!GetClassInfoW(GetModuleHandleW(NULL), TEST_TODAY_CLASS, &wc))
    {
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = TestTodayWndProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = TEST_TODAY_CLASS;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, TEST_TODAY_CLASS, L"Today", WS_POPUP | WS_VISIBLE, x, y, cx, cy,
                           NULL, NULL, GetModuleHandleW(NULL), NULL);
}
