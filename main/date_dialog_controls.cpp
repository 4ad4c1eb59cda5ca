#include "main/date_dialog_controls.h"
#include <new>
#include <commctrl.h>
#include "main/button_control.h"
#include "main/layout.h"
#include "main/main_globals.h"
#include "main/month_calendar.h"

namespace {

const DWORD CHILD_STYLE    = WS_CHILD | WS_VISIBLE;
const DWORD CALENDAR_STYLE = WS_CHILD | WS_VISIBLE | MCS_WEEKNUMBERS;
const COLORREF CALENDAR_MONTH_BK = RGB(0, 255, 0);
const int TEXT_ON_RIGHT = 1;

// Designed at 96 dpi; scaled by ScaleLayout.
const int CALENDAR_X = 50, CALENDAR_Y = 30, CALENDAR_W = 100, CALENDAR_H = 100;
const int GROUP_X = 20, GROUP_EXTRA_W = 60;
const int DATE_GROUP_Y = 10, DATE_GROUP_EXTRA_H = 30;

}  // namespace

MonthCalendar *NewDateCalendar(HWND hDlg)
{
    MonthCalendar *pCalendar = new (std::nothrow) MonthCalendar;
    if (pCalendar != NULL
        && (!pCalendar->Prepare(hDlg, g_hInstance)
            || !pCalendar->Create(CALENDAR_STYLE, ScaleLayout(CALENDAR_X), ScaleLayout(CALENDAR_Y),
                                  ScaleLayout(CALENDAR_W), ScaleLayout(CALENDAR_H), CALENDAR_MONTH_BK)))
        DeleteControl(&pCalendar);
    return pCalendar;
}

// The calendar may have grown to its minimum size; the group boxes grow with it.
ButtonControl *NewDateGroup(HWND hDlg, const WCHAR *pszText, const MonthCalendar *pCalendar)
{
    return NewGroupBox(hDlg, pszText, ScaleLayout(DATE_GROUP_Y),
                       ScaleLayout(DATE_GROUP_EXTRA_H) + pCalendar->GetHeight(), pCalendar);
}

int DateGroupBottom(const MonthCalendar *pCalendar)
{
    return ScaleLayout(DATE_GROUP_Y) + ScaleLayout(DATE_GROUP_EXTRA_H) + pCalendar->GetHeight();
}

ButtonControl *NewGroupBox(HWND hDlg, const WCHAR *pszText, int y, int nHeight, const MonthCalendar *pCalendar)
{
    ButtonControl *pGroup = new (std::nothrow) ButtonControl;
    if (pGroup != NULL)
        pGroup->CreateGroup(hDlg, g_hInstance, CHILD_STYLE, pszText, ScaleLayout(GROUP_X), y, 0,
                            ScaleLayout(GROUP_EXTRA_W) + pCalendar->GetWidth(), nHeight);
    return pGroup;
}

ButtonControl *NewRadioButton(HWND hDlg, int nCtrlId, int x, int y, int nWidth, int nHeight, const WCHAR *pszText)
{
    ButtonControl *pRadio = new (std::nothrow) ButtonControl;
    if (pRadio != NULL)
        pRadio->CreateRadio(hDlg, g_hInstance, nCtrlId, CHILD_STYLE, x, y, pszText, TEXT_ON_RIGHT, 0,
                            nWidth, nHeight);
    return pRadio;
}

void CheckRadio(ButtonControl *pOn, ButtonControl *pOff)
{
    if (pOn != NULL)
        pOn->SetCheck(TRUE);
    if (pOff != NULL)
        pOff->SetCheck(FALSE);
}
