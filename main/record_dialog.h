#pragma once
#include <windows.h>
#include "core/record_file.h"
#include "main/column_layout.h"

// What the record dialogs share: full screen with their soft keys, a column of controls with the
// big button as the default, the events of records.csv read, a tick every second while shown so
// that running times go on, "确定" to close. Each dialog procedure hands its messages to
// RecordDialogMessage with what is its own.
struct RecordDialogKind
{
    const ColumnRow *pRows;
    int nRows;
    int nMenuBarId;
    int nButtonId;
    RecordList *pEvents;                        // read when it opens, with those made since
    void (*pfnOpened)(HWND hDlg);               // the events read: what else it needs, its texts
    void (*pfnShowTexts)(HWND hDlg);            // every text as it is now
    void (*pfnCommand)(HWND hDlg, int nCommand);  // a command of its own
};

INT_PTR RecordDialogMessage(const RecordDialogKind &kind, HWND hDlg, UINT uMsg, WPARAM wParam);
// An event of nKind now, on storage before it is shown; pszFailure, over the dialog, when it
// cannot be stored. Whether it was stored.
BOOL RecordFromDialog(HWND hDlg, int nKind, RecordList *pEvents, const WCHAR *pszFailure);
