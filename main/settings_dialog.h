#pragma once
#include <windows.h>

class MonthCalendar;
class ButtonControl;

// The settings dialog (template 108): a month calendar for the start date, two plain radio
// buttons for the method, "退出" and "确定" as soft keys.
INT_PTR CALLBACK SettingsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The dialog's controls, alive from its initialisation until it ends.
extern MonthCalendar *g_pCalendar;
extern ButtonControl *g_pDateGroup;
extern ButtonControl *g_pMethodGroup;
extern ButtonControl *g_pRadio365;
extern ButtonControl *g_pRadio280;
