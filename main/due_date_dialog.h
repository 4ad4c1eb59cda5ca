#pragma once
#include <windows.h>

// The dialog that sets the start date from a date the doctor gives (template 109): a month
// calendar for the date, four plain radio buttons for what that date is (the due date, the
// conception day, a day-3 or a day-5 embryo transfer), "退出" and "确定" as soft keys. "确定"
// stores the start date that date stands for, with the 280-day method, as the settings dialog
// stores its choice.
INT_PTR CALLBACK DueDateDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
