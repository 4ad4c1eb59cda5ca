#include "main/record_dialog.h"
#include "main/full_screen_dialog.h"
#include "main/main_globals.h"
#include "main/message_box.h"
#include "main/record_store.h"

namespace {

const DWORD SHELL_FLAGS = SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
const UINT_PTR TICK_TIMER = 1;
const UINT TICK_MS = 1000;
const WCHAR SZ_ERROR_CAPTION[] = L"错误";

}  // namespace

void InitRecordDialog(HWND hDlg, const RecordDialogSpec &spec, RecordList *pEvents)
{
    InitFullScreenDialog(hDlg, SHELL_FLAGS, spec.nMenuBarId, NULL);
    CreateColumn(hDlg, g_hInstance, spec.pRows, spec.nRows);
    OpenRecords(pEvents);
    SetTimer(hDlg, TICK_TIMER, TICK_MS, NULL);
    SendMessageW(hDlg, DM_SETDEFID, spec.nButtonId, 0);
    SetFocus(GetDlgItem(hDlg, spec.nButtonId));
}

void EndRecordDialog(HWND hDlg, RecordList *pEvents)
{
    KillTimer(hDlg, TICK_TIMER);
    pEvents->Clear();
}

BOOL RecordFromDialog(HWND hDlg, int nKind, RecordList *pEvents, const WCHAR *pszFailure)
{
    if (RecordEventNow(nKind, pEvents))
        return TRUE;
    g_pfnMessageBox(hDlg, pszFailure, SZ_ERROR_CAPTION, MB_OK);
    return FALSE;
}
