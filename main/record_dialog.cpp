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

}  // namespace

namespace {

BOOL OnInitDialog(const RecordDialogSpec &spec, HWND hDlg)
{
    InitFullScreenDialog(hDlg, SHELL_FLAGS, spec.nMenuBarId, NULL);
    CreateColumn(hDlg, g_hInstance, spec.pRows, spec.nRows);
    OpenRecords(spec.pEvents);
    spec.pfnOpened(hDlg);
    SetTimer(hDlg, TICK_TIMER, TICK_MS, NULL);
    SendMessageW(hDlg, DM_SETDEFID, spec.nButtonId, 0);
    SetFocus(GetDlgItem(hDlg, spec.nButtonId));
    return FALSE;
}

void OnCommand(const RecordDialogSpec &spec, HWND hDlg, int nCommand)
{
    if (nCommand == IDM_DIALOG_OK)
        EndDialog(hDlg, IDM_DIALOG_OK);
    else
        spec.pfnCommand(hDlg, nCommand);
}

// However the dialog ends, what runs goes on: it is in the file.
void OnDestroy(const RecordDialogSpec &spec, HWND hDlg)
{
    KillTimer(hDlg, TICK_TIMER);
    spec.pEvents->Clear();
}

}  // namespace

INT_PTR RecordDialogMessage(const RecordDialogSpec &spec, HWND hDlg, UINT uMsg, WPARAM wParam)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
        return OnInitDialog(spec, hDlg);
    case WM_SIZE:
        LayOutColumn(hDlg, spec.pRows, spec.nRows);
        return FALSE;
    case WM_TIMER:
        spec.pfnShowTexts(hDlg);
        return TRUE;
    case WM_COMMAND:
        OnCommand(spec, hDlg, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, WM_CLOSE);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(spec, hDlg);
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
