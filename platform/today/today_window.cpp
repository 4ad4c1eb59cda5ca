#include "platform/today/today_window.h"
#include "platform/today/host_layout.h"
#include "platform/today/host_names.h"
#include "platform/today/today_background.h"
#include "platform/today/today_items.h"
#include "platform/today/todaycmn.h"

namespace {

LRESULT OnEraseBackground(HWND hWnd, HDC hdc)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    POINT ptOrigin = { 0, 0 };
    PaintTodayBackground(hdc, &rc, ptOrigin, rc.bottom);
    return 1;
}

LRESULT OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hWnd, &ps);
    EndPaint(hWnd, &ps);
    return 0;
}

LRESULT OnGetColor(WPARAM nColorId)
{
    switch (nColorId)
    {
    case TODAYCOLOR_HIGHLIGHT:        return TODAY_HIGHLIGHT_COLOR;
    case TODAYCOLOR_HIGHLIGHTEDTEXT:  return TODAY_HIGHLIGHTEDTEXT_COLOR;
    case TODAYCOLOR_TEXT:
    default:                          return TODAY_TEXT_COLOR;
    }
}

LRESULT OnDrawWatermark(HWND hWnd, const TODAYDRAWWATERMARKINFO *pInfo)
{
    if (!pInfo || !pInfo->hdc)
        return FALSE;
    // The item's rectangle is in its own client coordinates; the background belongs to ours.
    POINT ptOrigin = { 0, 0 };
    if (pInfo->hwnd && IsWindow(pInfo->hwnd))
        MapWindowPoints(pInfo->hwnd, hWnd, &ptOrigin, 1);
    RECT rcToday;
    GetClientRect(hWnd, &rcToday);
    PaintTodayBackground(pInfo->hdc, &pInfo->rc, ptOrigin, rcToday.bottom);
    return TRUE;
}

LRESULT OnSize(HWND hWnd)
{
    g_TodayItems.Layout(hWnd);
    return 0;
}

LRESULT OnTimer(HWND hWnd, UINT_PTR nTimer)
{
    if (nTimer == ITEM_POLL_TIMER)
        g_TodayItems.Poll(hWnd);
    return 0;
}

LRESULT OnDestroy(HWND hWnd)
{
    KillTimer(hWnd, ITEM_POLL_TIMER);
    g_TodayItems.Unload();
    return 0;
}

LRESULT CALLBACK TodayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_ERASEBKGND:         return OnEraseBackground(hWnd, (HDC)wParam);
    case WM_PAINT:              return OnPaint(hWnd);
    case WM_SIZE:               return OnSize(hWnd);
    case WM_TIMER:              return OnTimer(hWnd, (UINT_PTR)wParam);
    case WM_DESTROY:            return OnDestroy(hWnd);
    case TODAYM_GETCOLOR:       return OnGetColor(wParam);
    case TODAYM_DRAWWATERMARK:  return OnDrawWatermark(hWnd, (const TODAYDRAWWATERMARKINFO *)lParam);
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

BOOL RegisterTodayWindow(HINSTANCE hInstance)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = TodayWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = HOST_TODAY_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreateTodayWindow(HINSTANCE hInstance, HWND hwndParent, const RECT *prc)
{
    // Clipping the children keeps our background from painting over the items.
    return CreateWindowExW(0, HOST_TODAY_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           prc->left, prc->top, prc->right - prc->left, prc->bottom - prc->top,
                           hwndParent, NULL, hInstance, NULL);
}

void StartTodayItems(HWND hwndToday)
{
    g_TodayItems.Load(hwndToday);
    // The first question right away, so the items show without waiting for the first tick.
    g_TodayItems.Poll(hwndToday);
    g_TodayItems.Layout(hwndToday);
    SetTimer(hwndToday, ITEM_POLL_TIMER, ITEM_POLL_MS, NULL);
}
