#include "core/resource_library.h"
#include <aygshell.h>
#include "platform/ce_compat.h"

#define FULLSCREEN_STATE    (SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON)

// The bar replaces the one remembered before: after a dialog made its bar, this is the dialog's.
int ResourceLibrary::CreateMenuBar(HWND hwndParent, HINSTANCE hInstance, UINT nMenuId)
{
    SHMENUBARINFO mbi;
    ZeroMemory(&mbi, sizeof(mbi));
    mbi.cbSize = sizeof(mbi);
    mbi.hwndParent = hwndParent;
    mbi.dwFlags = SHCMBF_HMENU;
    mbi.nToolBarId = nMenuId;
    mbi.hInstRes = hInstance;
    if (!SHCreateMenuBar(&mbi))
        return 0;
    m_hwndMenuBar = mbi.hwndMB;
    return 1;
}

// The window keeps its right and bottom edges and moves its top-left corner to the
// screen's; the task bar goes out of the way.
void ResourceLibrary::SetFullScreen(HWND hWnd)
{
    SHFullScreen(hWnd, FULLSCREEN_STATE);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MoveWindow(hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, rc.right, rc.bottom, SWP_NOZORDER);
    HWND hTaskBar = FindWindowW(TASKBAR_CLASS, NULL);
    if (hTaskBar)
        ShowWindow(hTaskBar, SW_MINIMIZE);
}

void ResourceLibrary::ShowTaskBar()
{
    HWND hTaskBar = FindWindowW(TASKBAR_CLASS, NULL);
    if (hTaskBar)
        ShowWindow(hTaskBar, SW_SHOWAGAIN);
}
