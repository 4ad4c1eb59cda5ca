#pragma once
#include <windows.h>

// The contraction timer (template 112): a big button tapped when a contraction starts and again
// when it ends, how long the running one has lasted or since when none has, the last hour's
// figures, the message when it is time to go to hospital, the latest contractions; "撤销" takes
// the latest one back, "确定" closes. Every tap is in records.csv before it is shown.
INT_PTR CALLBACK ContractionDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
