#pragma once
#include <windows.h>

class MonthCalendar;
class ButtonControl;

// What the dialogs that store a start date make at run time, in one look: the month calendar
// with week numbers on its green month, inside a group box; further group boxes in the same
// column and width; plain radio buttons, whose marks the dialog sets itself. Positions and sizes
// given here are pixels, already scaled.

// The calendar at its designed place, grown to its minimum size where that is larger; null when
// it cannot be made.
MonthCalendar *NewDateCalendar(HWND hDlg);
// The group box around the calendar.
ButtonControl *NewDateGroup(HWND hDlg, const WCHAR *pszText, const MonthCalendar *pCalendar);
// Where the group box around the calendar ends.
int DateGroupBottom(const MonthCalendar *pCalendar);
// A group box in the column of the date group, as wide as it.
ButtonControl *NewGroupBox(HWND hDlg, const WCHAR *pszText, int y, int nHeight, const MonthCalendar *pCalendar);
ButtonControl *NewRadioButton(HWND hDlg, int nCtrlId, int x, int y, int nWidth, int nHeight, const WCHAR *pszText);
// Marks pOn and clears pOff; either may be missing.
void CheckRadio(ButtonControl *pOn, ButtonControl *pOff);

// However a dialog ends, its controls go with it and so do their wrappers.
template <class T> void DeleteControl(T **pp)
{
    delete *pp;
    *pp = NULL;
}
