#include "main/record_dialog.h"
#include "main/full_screen_dialog.h"
#include "main/main_globals.h"
#include "main/message_box.h"
#include "main/record_store.h"
#include "resources/main_ids.h"

namespace {

const DWORD SHELL_FLAGS = SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
const UINT_PTR TICK_TIMER = 1;
const UINT TICK_MS = 1000;
const WCHAR SZ_ERROR_CAPTION[] = L"错误";

BOOL OnInitDialog(const RecordDialogKind &kind, HWND hDlg)
{
    InitFullScreenDialog(hDlg, SHELL_FLAGS, kind.nMenuBarId, NULL);
    CreateColumn(hDlg, g_hInstance, kind.pRows, kind.nRows);
    OpenRecords(kind.pEvents);
    kind.pfnOpened(hDlg);
    SetTimer(hDlg, TICK_TIMER, TICK_MS, NULL);
    SendMessageW(hDlg, DM_SETDEFID, kind.nButtonId, 0);
    SetFocus(GetDlgItem(hDlg, kind.nButtonId));
    return FALSE;
}

void OnCommand(const RecordDialogKind &kind, HWND hDlg, int nCommand)
{
    if (nCommand == IDM_DIALOG_OK)
        EndDialog(hDlg, IDM_DIALOG_OK);
    else
        kind.pfnCommand(hDlg, nCommand);
}

// However the dialog ends, what runs goes on: it is in the file.
void OnDestroy(const RecordDialogKind &kind, HWND hDlg)
{
    KillTimer(hDlg, TICK_TIMER);
    kind.pEvents->Clear();
}

}  // namespace

INT_PTR RecordDialogMessage(const RecordDialogKind &kind, HWND hDlg, UINT uMsg, WPARAM wParam)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
        return OnInitDialog(kind, hDlg);
    case WM_SIZE:
        LayOutColumn(hDlg, kind.pRows, kind.nRows);
        return FALSE;
    case WM_TIMER:
        kind.pfnShowTexts(hDlg);
        return TRUE;
    case WM_COMMAND:
        OnCommand(kind, hDlg, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, WM_CLOSE);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(kind, hDlg);
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL RecordFromDialog(HWND hDlg, int nKind, RecordList *pEvents, const WCHAR *pszFailure)
{
    if (RecordEventNow(nKind, pEvents))
        return TRUE;
    g_pfnMessageBox(hDlg, pszFailure, SZ_ERROR_CAPTION, MB_OK);
    return FALSE;
}
