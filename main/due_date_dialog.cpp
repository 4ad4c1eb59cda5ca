#include "main/due_date_dialog.h"
#include "core/pregnancy_calendar.h"
#include "core/today_clock.h"
#include "main/button_control.h"
#include "main/date_dialog_controls.h"
#include "main/full_screen_dialog.h"
#include "main/layout.h"
#include "main/month_calendar.h"
#include "main/settings_dialog.h"
#include "main/settings_store.h"
#include "resources/main_ids.h"

namespace {

// What the picked date can be, by the day of the count it falls on (day 0 is the start date):
// the due date ends the 280 days; conception is day 14; a day-3 embryo is transferred on day 17
// and a day-5 blastocyst on day 19.
struct DateKind
{
    int nCtrlId;
    const WCHAR *pszText;
    int nDayOfCount;
};
const DateKind KINDS[] = {
    { IDC_KIND_DUE_DATE,      L"预产期",                FIXED_TOTAL_DAYS },
    { IDC_KIND_CONCEPTION,    L"受孕日",                14 },
    { IDC_KIND_TRANSFER_DAY3, L"胚胎移植日 (3 天胚胎)", 17 },
    { IDC_KIND_TRANSFER_DAY5, L"胚胎移植日 (5 天囊胚)", 19 },
};
const int KIND_COUNT = ARRAYSIZE(KINDS);

const WCHAR SZ_DATE_GROUP[] = L"选择日期";
const WCHAR SZ_KIND_GROUP[] = L"这个日期是";
const WCHAR SZ_ERR_START_AFTER_TODAY[] = L"该日期推算的怀孕开始时间晚于今天, 请检查";

const INT_PTR CLOSED_RESULT = WM_CLOSE;

// Designed at 96 dpi; scaled by ScaleLayout. The kinds' group follows the date group, however
// tall the calendar had to grow.
const int KIND_GROUP_GAP = 8, KIND_GROUP_PADDING = 6;
const int RADIO_X = 50, RADIO_FIRST_Y = 20, RADIO_STEP = 26, RADIO_W = 170, RADIO_H = 24;

MonthCalendar *s_pCalendar = NULL;
ButtonControl *s_pDateGroup = NULL;
ButtonControl *s_pKindGroup = NULL;
ButtonControl *s_apKindRadios[KIND_COUNT] = { NULL };

// A date alone, without a time of day.
SYSTEMTIME DateOnly(int nYear, int nMonth, int nDay)
{
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    st.wYear = (WORD)nYear;
    st.wMonth = (WORD)nMonth;
    st.wDay = (WORD)nDay;
    return st;
}

// The due date the pages count for the stored settings, else today.
SYSTEMTIME OpeningDate()
{
    SYSTEMTIME st;
    int nYear, nMonth, nDay;
    if (GetStoredStartDate(&st)
        && ShiftDate(st.wYear, st.wMonth, st.wDay,
                     TotalDaysOf(st.wYear, st.wMonth, st.wDay, GetCalcMethod() == 1 ? CALC_BY_365 : CALC_BY_280),
                     &nYear, &nMonth, &nDay))
        return DateOnly(nYear, nMonth, nDay);
    g_pfnGetToday(&st);
    return DateOnly(st.wYear, st.wMonth, st.wDay);
}

// Plain radio buttons: a tap marks the one tapped and clears the others.
void CheckKind(int nCtrlId)
{
    for (int i = 0; i < KIND_COUNT; ++i)
        if (s_apKindRadios[i] != NULL)
            s_apKindRadios[i]->SetCheck(KINDS[i].nCtrlId == nCtrlId);
}

// The kind marked; the first when none is.
const DateKind &CheckedKind()
{
    for (int i = 0; i < KIND_COUNT; ++i)
        if (s_apKindRadios[i] != NULL && s_apKindRadios[i]->IsChecked())
            return KINDS[i];
    return KINDS[0];
}

void CreateKinds(HWND hDlg)
{
    int yGroup = DateGroupBottom(s_pCalendar) + ScaleLayout(KIND_GROUP_GAP);
    for (int i = 0; i < KIND_COUNT; ++i)
        s_apKindRadios[i] = NewRadioButton(hDlg, KINDS[i].nCtrlId, ScaleLayout(RADIO_X),
                                           yGroup + ScaleLayout(RADIO_FIRST_Y + i * RADIO_STEP),
                                           ScaleLayout(RADIO_W), ScaleLayout(RADIO_H), KINDS[i].pszText);
    CheckKind(KINDS[0].nCtrlId);
    s_pKindGroup = NewGroupBox(hDlg, SZ_KIND_GROUP, yGroup,
                               ScaleLayout(RADIO_FIRST_Y + KIND_COUNT * RADIO_STEP + KIND_GROUP_PADDING), s_pCalendar);
}

BOOL OnInitDialog(HWND hDlg)
{
    InitFullScreenDialog(hDlg, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU, IDR_SETTINGS_MENUBAR, NULL);
    s_pCalendar = NewDateCalendar(hDlg);
    if (s_pCalendar == NULL)
        return FALSE;
    SYSTEMTIME st = OpeningDate();
    s_pCalendar->SetCurSel(&st);
    s_pDateGroup = NewDateGroup(hDlg, SZ_DATE_GROUP, s_pCalendar);
    CreateKinds(hDlg);
    return TRUE;
}

int DayKey(int nYear, int nMonth, int nDay)
{
    return (nYear * 100 + nMonth) * 100 + nDay;
}

// The start date the picked date stands for, stored when it is not after today.
void OnConfirm(HWND hDlg)
{
    SYSTEMTIME stPicked;
    ZeroMemory(&stPicked, sizeof(stPicked));
    int nYear, nMonth, nDay;
    if (s_pCalendar == NULL || !s_pCalendar->GetCurSel(&stPicked)
        || !ShiftDate(stPicked.wYear, stPicked.wMonth, stPicked.wDay, -CheckedKind().nDayOfCount,
                      &nYear, &nMonth, &nDay))
    {
        ConcludeSave(hDlg, SAVE_SETTINGS_NO_DATE);
        return;
    }
    SYSTEMTIME stToday;
    g_pfnGetToday(&stToday);
    if (DayKey(nYear, nMonth, nDay) > DayKey(stToday.wYear, stToday.wMonth, stToday.wDay))
    {
        ShowError(hDlg, SZ_ERR_START_AFTER_TODAY);
        return;
    }
    ConcludeSave(hDlg, SaveStartDate280(DateOnly(nYear, nMonth, nDay)));
}

void OnCommand(HWND hDlg, int nCommand)
{
    switch (nCommand)
    {
    case IDC_KIND_DUE_DATE:
    case IDC_KIND_CONCEPTION:
    case IDC_KIND_TRANSFER_DAY3:
    case IDC_KIND_TRANSFER_DAY5:
        CheckKind(nCommand);
        break;
    case IDM_SETTINGS_EXIT:
        EndDialog(hDlg, IDM_SETTINGS_EXIT);
        break;
    case IDM_SETTINGS_OK:
        OnConfirm(hDlg);
        break;
    default:
        break;
    }
}

void OnDestroy()
{
    DeleteControl(&s_pCalendar);
    DeleteControl(&s_pDateGroup);
    DeleteControl(&s_pKindGroup);
    for (int i = 0; i < KIND_COUNT; ++i)
        DeleteControl(&s_apKindRadios[i]);
}

}  // namespace

INT_PTR CALLBACK DueDateDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
        return OnInitDialog(hDlg);
    case WM_COMMAND:
        OnCommand(hDlg, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, CLOSED_RESULT);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}
