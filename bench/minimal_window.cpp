// The least a Win32 program does to put a painted window on the screen: one class, one
// full-screen popup window with a line of text, a message loop. Built as the deliverables
// are, it is the yardstick for the main program's start.
#include <windows.h>

static const WCHAR CLASS_NAME[] = L"UlvoMinimal";

#ifdef MINIMAL_WITH_MAIN_IMPORTS
// Built also over the libraries Main.exe imports, each through one function never called: its
// start then loads and initialises them as Main.exe's does, and nothing more.
#include <commctrl.h>
#include <ole2.h>
#include <aygshell.h>

static volatile int s_nNever = 0;

static void ImportMainsLibraries()
{
    if (s_nNever)
    {
        InitCommonControlsEx(NULL);
        CoInitializeEx(NULL, 0);
        SysFreeString(NULL);
        SHInitExtraControls();
    }
}
#else
static void ImportMainsLibraries()
{
}
#endif

static LRESULT CALLBACK MinimalWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        DrawTextW(hdc, L"今天", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nShow)
{
    ImportMainsLibraries();
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = MinimalWndProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = CLASS_NAME;
    if (!RegisterClassW(&wc))
        return 1;
    HWND hWnd = CreateWindowExW(0, CLASS_NAME, L"Minimal", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), NULL, NULL, hInstance, NULL);
    if (!hWnd)
        return 1;
    ShowWindow(hWnd, nShow);
    UpdateWindow(hWnd);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
