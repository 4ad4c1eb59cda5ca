#pragma once
#include <windows.h>
#include "core/record_file.h"
#include "main/column_layout.h"

// What the record dialogs share: full screen with their soft keys, a column of controls with the
// big button as the default, the events of records.csv read, and a tick every second while shown
// so that running times go on.
struct RecordDialogSpec
{
    const ColumnRow *pRows;
    int nRows;
    int nMenuBarId;
    int nButtonId;
};

void InitRecordDialog(HWND hDlg, const RecordDialogSpec &spec, RecordList *pEvents);
// However the dialog ends: what runs goes on, since it is in the file.
void EndRecordDialog(HWND hDlg, RecordList *pEvents);
// An event of nKind now, on storage before it is shown; pszFailure, over the dialog, when it
// cannot be stored. Whether it was stored.
BOOL RecordFromDialog(HWND hDlg, int nKind, RecordList *pEvents, const WCHAR *pszFailure);
