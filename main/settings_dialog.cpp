#include "main/settings_dialog.h"
#include <new>
#include <commctrl.h>
#include "main/button_control.h"
#include "main/month_calendar.h"
#include "main/settings_store.h"
#include "main/full_screen_dialog.h"
#include "main/layout.h"
#include "main/main_globals.h"
#include "main/dialogs.h"
#include "main/message_box.h"
#include "resources/main_ids.h"

MonthCalendar *g_pCalendar = NULL;
ButtonControl *g_pDateGroup = NULL;
ButtonControl *g_pMethodGroup = NULL;
ButtonControl *g_pRadio365 = NULL;
ButtonControl *g_pRadio280 = NULL;

namespace {

const WCHAR SZ_DATE_GROUP[]   = L"设置怀孕日期";
const WCHAR SZ_METHOD_GROUP[] = L"选择计算方法";
const WCHAR SZ_RADIO_365[]    = L"按365天计算";
const WCHAR SZ_RADIO_280[]    = L"按280天计算";
const WCHAR SZ_ERROR_CAPTION[] = L"错误";
const WCHAR SZ_ERR_SYSTEM[]      = L"系统错误！请重试";
const WCHAR SZ_ERR_GET_DATE[]    = L"获取选定日期出错！请重试";
const WCHAR SZ_ERR_START_TIME[]  = L"保存选定日期出错！请重试";
const WCHAR SZ_ERR_CALC_METHOD[] = L"保存选定计算方法出错！请重试";

const DWORD CHILD_STYLE    = WS_CHILD | WS_VISIBLE;
const DWORD CALENDAR_STYLE = WS_CHILD | WS_VISIBLE | MCS_WEEKNUMBERS;
const COLORREF CALENDAR_MONTH_BK = RGB(0, 255, 0);
const INT_PTR CLOSED_RESULT = WM_CLOSE;

// Designed at 96 dpi; scaled by ScaleLayout.
const int CALENDAR_X = 50, CALENDAR_Y = 30, CALENDAR_W = 100, CALENDAR_H = 100;
const int GROUP_X = 20, GROUP_EXTRA_W = 60;
const int DATE_GROUP_Y = 10, DATE_GROUP_EXTRA_H = 30;
const int METHOD_GROUP_Y = 175, METHOD_GROUP_H = 95;
const int RADIO_X = 50, RADIO_365_Y = 195, RADIO_280_Y = 235, RADIO_W = 100, RADIO_H = 30;
const int TEXT_ON_RIGHT = 1;

ButtonControl *NewRadio(HWND hDlg, int nCtrlId, int y, const WCHAR *pszText)
{
    ButtonControl *pRadio = new (std::nothrow) ButtonControl;
    if (pRadio != NULL)
        pRadio->CreateRadio(hDlg, g_hInstance, nCtrlId, CHILD_STYLE, ScaleLayout(RADIO_X), ScaleLayout(y),
                            pszText, TEXT_ON_RIGHT, 0, ScaleLayout(RADIO_W), ScaleLayout(RADIO_H));
    return pRadio;
}

ButtonControl *NewGroup(HWND hDlg, const WCHAR *pszText, int y, int nWidth, int nHeight)
{
    ButtonControl *pGroup = new (std::nothrow) ButtonControl;
    if (pGroup != NULL)
        pGroup->CreateGroup(hDlg, g_hInstance, CHILD_STYLE, pszText, ScaleLayout(GROUP_X), ScaleLayout(y),
                            0, nWidth, nHeight);
    return pGroup;
}

BOOL CreateCalendar(HWND hDlg)
{
    g_pCalendar = new (std::nothrow) MonthCalendar;
    if (g_pCalendar == NULL
        || !g_pCalendar->Prepare(hDlg, g_hInstance)
        || !g_pCalendar->Create(CALENDAR_STYLE, ScaleLayout(CALENDAR_X), ScaleLayout(CALENDAR_Y),
                                ScaleLayout(CALENDAR_W), ScaleLayout(CALENDAR_H), CALENDAR_MONTH_BK))
        return FALSE;
    // Open on the date already stored, so that "确定" after changing only the method keeps it.
    SYSTEMTIME st;
    if (GetStoredStartDate(&st))
        g_pCalendar->SetCurSel(&st);
    return TRUE;
}

void CheckRadio(ButtonControl *pOn, ButtonControl *pOff)
{
    if (pOn != NULL)
        pOn->SetCheck(TRUE);
    if (pOff != NULL)
        pOff->SetCheck(FALSE);
}

BOOL OnInitDialog(HWND hDlg)
{
    InitFullScreenDialog(hDlg, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU, IDR_SETTINGS_MENUBAR, NULL);
    if (!CreateCalendar(hDlg))
        return FALSE;

    // The calendar may have grown to its minimum size; the date group box grows with it.
    int nCalW = g_pCalendar->GetWidth();
    int nCalH = g_pCalendar->GetHeight();
    g_pDateGroup = NewGroup(hDlg, SZ_DATE_GROUP, DATE_GROUP_Y,
                            ScaleLayout(GROUP_EXTRA_W) + nCalW, ScaleLayout(DATE_GROUP_EXTRA_H) + nCalH);
    g_pRadio365 = NewRadio(hDlg, IDC_RADIO_365, RADIO_365_Y, SZ_RADIO_365);
    g_pRadio280 = NewRadio(hDlg, IDC_RADIO_280, RADIO_280_Y, SZ_RADIO_280);
    if (IsPreselected365())
        CheckRadio(g_pRadio365, NULL);
    else
        CheckRadio(g_pRadio280, NULL);
    g_pMethodGroup = NewGroup(hDlg, SZ_METHOD_GROUP, METHOD_GROUP_Y,
                              ScaleLayout(GROUP_EXTRA_W) + nCalW, ScaleLayout(METHOD_GROUP_H));
    return TRUE;
}

// Plain radio buttons: a tap on either one moves the mark to the other when it was checked.
void OnRadioTapped(ButtonControl *pTapped, ButtonControl *pOther)
{
    if (pTapped == NULL)
        return;
    if (pTapped->IsChecked())
        CheckRadio(pOther, pTapped);
    else
        CheckRadio(pTapped, pOther);
}

const WCHAR *SaveErrorText(int nResult)
{
    switch (nResult)
    {
    case SAVE_SETTINGS_NO_DATE:     return SZ_ERR_GET_DATE;
    case SAVE_SETTINGS_START_TIME:  return SZ_ERR_START_TIME;
    case SAVE_SETTINGS_CALC_METHOD: return SZ_ERR_CALC_METHOD;
    default:                        return SZ_ERR_SYSTEM;
    }
}

void OnConfirm(HWND hDlg)
{
    int nResult = SaveSettings();
    if (nResult == SAVE_SETTINGS_OK)
    {
        NotifyTodayItem();
        EndDialog(hDlg, IDM_SETTINGS_OK);
        return;
    }
    // The dialog stays open with the user's choices, to try again or leave.
    g_pfnMessageBox(hDlg, SaveErrorText(nResult), SZ_ERROR_CAPTION, MB_OK);
}

void OnCommand(HWND hDlg, int nCommand)
{
    switch (nCommand)
    {
    case IDC_RADIO_365:     OnRadioTapped(g_pRadio365, g_pRadio280); break;
    case IDC_RADIO_280:     OnRadioTapped(g_pRadio280, g_pRadio365); break;
    case IDM_SETTINGS_EXIT: EndDialog(hDlg, IDM_SETTINGS_EXIT); break;
    case IDM_SETTINGS_OK:   OnConfirm(hDlg); break;
    default:                break;
    }
}

template <class T> void DeleteControl(T **pp)
{
    delete *pp;
    *pp = NULL;
}

// However the dialog ends, its controls go with it and so do their wrappers.
void OnDestroy()
{
    DeleteControl(&g_pCalendar);
    DeleteControl(&g_pDateGroup);
    DeleteControl(&g_pMethodGroup);
    DeleteControl(&g_pRadio365);
    DeleteControl(&g_pRadio280);
}

}  // namespace

INT_PTR CALLBACK SettingsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
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
