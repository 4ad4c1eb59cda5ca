#include "platform/today/today_shell.h"
#include "platform/today/host_layout.h"
#include "platform/today/shell_frame.h"
#include "platform/today/task_bar.h"
#include "platform/today/today_window.h"
#include <todaycmn.h>

// Kept for the process's life: the device's shell never takes its readiness back.
static HANDLE s_hReady = NULL;
static BOOL s_bRegistered = FALSE;

HWND StartTodayShell(HINSTANCE hInstance, BOOL bHiDpi)
{
    if (!s_hReady)
        s_hReady = CreateEventW(NULL, TRUE, FALSE, SHELL_API_READY_EVENT);
    if (!s_bRegistered)
        s_bRegistered = RegisterShellFrame(hInstance) && RegisterTodayWindow(hInstance) && RegisterTaskBar(hInstance);
    if (!s_bRegistered)
        return NULL;

    int cx = bHiDpi ? SCREEN_CX_HIDPI : SCREEN_CX_NORMAL;
    int cy = bHiDpi ? SCREEN_CY_HIDPI : SCREEN_CY_NORMAL;
    int cyTaskBar = ScaleForScreen(TASKBAR_CY_96);
    HWND hwndFrame = CreateShellFrame(hInstance, cx, cy, cyTaskBar);
    if (!hwndFrame)
        return NULL;
    CreateTaskBar(hInstance, hwndFrame, cx, cyTaskBar);
    UpdateWindow(hwndFrame);

    // Items test this before they ask to be laid out.
    if (s_hReady)
        SetEvent(s_hReady);
    StartTodayItems(GetTodayWindow(hwndFrame));
    return hwndFrame;
}
