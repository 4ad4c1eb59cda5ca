#pragma once
#include <windows.h>

class MonthCalendar;
class ButtonControl;

// The settings dialog (template 108): a month calendar for the start date, two plain radio
// buttons for the method, "退出" and "确定" as soft keys.
INT_PTR CALLBACK SettingsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// What "确定" makes of a save's result, in each dialog that stores the start date: on success the
// Today item is told and the dialog ends; otherwise the failure's message over the dialog, which
// stays open.
void ConcludeSave(HWND hDlg, int nResult);
// A message over the dialog with the caption "错误" and only an OK button.
void ShowError(HWND hDlg, const WCHAR *pszText);

// The dialog's controls, alive from its initialisation until it ends.
extern MonthCalendar *g_pCalendar;
extern ButtonControl *g_pDateGroup;
extern ButtonControl *g_pMethodGroup;
extern ButtonControl *g_pRadio365;
extern ButtonControl *g_pRadio280;
