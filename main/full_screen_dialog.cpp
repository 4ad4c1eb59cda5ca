#include "main/full_screen_dialog.h"
#include "core/resource_library.h"
#include "main/main_globals.h"

void InitFullScreenDialog(HWND hDlg, DWORD dwShellFlags, int nMenuBarId, RECT *prcBefore)
{
    SHINITDLGINFO shidi;
    shidi.dwMask = SHIDIM_FLAGS;
    shidi.hDlg = hDlg;
    shidi.dwFlags = dwShellFlags;
    SHInitDialog(&shidi);

    RECT rc;
    GetWindowRect(hDlg, &rc);
    MoveWindow(hDlg, 0, 0, rc.right - rc.left, rc.bottom, TRUE);
    if (prcBefore != NULL)
        *prcBefore = rc;

    if (g_pResLib != NULL)
        g_pResLib->CreateMenuBar(hDlg, g_hInstance, nMenuBarId);
}
