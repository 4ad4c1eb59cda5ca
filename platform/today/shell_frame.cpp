#include "platform/today/shell_frame.h"
#include "platform/today/host_names.h"
#include "platform/today/today_window.h"

namespace {

const UINT_PTR EXIT_TIMER = 1;

struct FrameCreateParams
{
    int cyTaskBar;
};

LRESULT OnCreate(HWND hWnd, const CREATESTRUCTW *pcs)
{
    const FrameCreateParams *pParams = (const FrameCreateParams *)pcs->lpCreateParams;
    RECT rc = { 0, pParams->cyTaskBar, pcs->cx, pcs->cy };
    return CreateTodayWindow(pcs->hInstance, hWnd, &rc) ? 0 : -1;
}

LRESULT OnTimer(HWND hWnd, UINT_PTR nTimer)
{
    if (nTimer == EXIT_TIMER)
    {
        KillTimer(hWnd, EXIT_TIMER);
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

LRESULT OnClose(HWND hWnd)
{
    DestroyWindow(hWnd);
    return 0;
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK ShellFrameWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_CREATE:   return OnCreate(hWnd, (const CREATESTRUCTW *)lParam);
    case WM_TIMER:    return OnTimer(hWnd, (UINT_PTR)wParam);
    case WM_CLOSE:    return OnClose(hWnd);
    case WM_DESTROY:  return OnDestroy();
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

BOOL RegisterShellFrame(HINSTANCE hInstance)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = ShellFrameWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = HOST_FRAME_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreateShellFrame(HINSTANCE hInstance, int cx, int cy, int cyTaskBar)
{
    FrameCreateParams params = { cyTaskBar };
    return CreateWindowExW(0, HOST_FRAME_CLASS, L"Today", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                           0, 0, cx, cy, NULL, NULL, hInstance, &params);
}

HWND GetTodayWindow(HWND hwndFrame)
{
    return FindWindowExW(hwndFrame, NULL, HOST_TODAY_CLASS, NULL);
}

void CloseShellFrameAfter(HWND hwndFrame, UINT nSeconds)
{
    if (nSeconds > 0)
        SetTimer(hwndFrame, EXIT_TIMER, nSeconds * 1000, NULL);
}
