#include <aygshell.h>
#include "platform/aygshell/shell_metrics.h"

#define SHIDIF_SIZING (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)
#define DIALOG_EDGES  (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)

// The task bar steps aside for a full-screen window and comes back when asked. There is no
// input panel button or start icon here, so their flags need nothing.
BOOL WINAPI SHFullScreen(HWND hwndRequester, DWORD dwState)
{
    if (!IsWindow(hwndRequester))
        return FALSE;
    HWND hTaskBar = FindWindowW(TASKBAR_CLASS, NULL);
    if (hTaskBar)
    {
        if (dwState & SHFS_HIDETASKBAR)
            ShowWindow(hTaskBar, SW_HIDE);
        else if (dwState & SHFS_SHOWTASKBAR)
            ShowWindow(hTaskBar, SW_SHOWNOACTIVATE);   // also out of a minimized state
    }
    return TRUE;
}

// A full-screen dialog spans the screen between the task bar at the top and the menu bar at
// the bottom; without a menu bar it reaches the bottom edge. The OK caption button, the
// empty menu bar and the input panel's state have no counterpart here and are accepted.
BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi)
{
    if (!pshidi || !IsWindow(pshidi->hDlg))
        return FALSE;
    if (!(pshidi->dwMask & SHIDIM_FLAGS) || !(pshidi->dwFlags & SHIDIF_SIZING))
        return TRUE;

    int cyTop = ScaleToScreen(TASKBAR_HEIGHT);
    int cyBottom = (pshidi->dwFlags & SHIDIF_FULLSCREENNOMENUBAR) ? 0 : ScaleToScreen(MENUBAR_HEIGHT);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    // The device frames no full-screen dialog: its caption is the task bar's title. Wine, without
    // a window manager to draw a frame, would leave the frame's place showing what lies behind.
    HWND hDlg = pshidi->hDlg;
    SetWindowLongW(hDlg, GWL_STYLE, GetWindowLongW(hDlg, GWL_STYLE) & ~(WS_CAPTION | WS_THICKFRAME));
    SetWindowLongW(hDlg, GWL_EXSTYLE, GetWindowLongW(hDlg, GWL_EXSTYLE) & ~DIALOG_EDGES);
    SetWindowPos(hDlg, NULL, 0, cyTop, cxScreen, cyScreen - cyTop - cyBottom, SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}
