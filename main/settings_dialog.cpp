#include "main/settings_dialog.h"
#include "main/button_control.h"
#include "main/date_dialog_controls.h"
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

const INT_PTR CLOSED_RESULT = WM_CLOSE;

// Designed at 96 dpi; scaled by ScaleLayout.
const int METHOD_GROUP_Y = 175, METHOD_GROUP_H = 95;
const int RADIO_X = 50, RADIO_365_Y = 195, RADIO_280_Y = 235, RADIO_W = 100, RADIO_H = 30;

ButtonControl *NewRadio(HWND hDlg, int nCtrlId, int y, const WCHAR *pszText)
{
    return NewRadioButton(hDlg, nCtrlId, ScaleLayout(RADIO_X), ScaleLayout(y), ScaleLayout(RADIO_W),
                          ScaleLayout(RADIO_H), pszText);
}

BOOL CreateCalendar(HWND hDlg)
{
    g_pCalendar = NewDateCalendar(hDlg);
    if (g_pCalendar == NULL)
        return FALSE;
    // Open on the date already stored, so that "确定" after changing only the method keeps it.
    SYSTEMTIME st;
    if (GetStoredStartDate(&st))
        g_pCalendar->SetCurSel(&st);
    return TRUE;
}

BOOL OnInitDialog(HWND hDlg)
{
    InitFullScreenDialog(hDlg, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU, IDR_SETTINGS_MENUBAR, NULL);
    if (!CreateCalendar(hDlg))
        return FALSE;

    g_pDateGroup = NewDateGroup(hDlg, SZ_DATE_GROUP, g_pCalendar);
    g_pRadio365 = NewRadio(hDlg, IDC_RADIO_365, RADIO_365_Y, SZ_RADIO_365);
    g_pRadio280 = NewRadio(hDlg, IDC_RADIO_280, RADIO_280_Y, SZ_RADIO_280);
    if (IsPreselected365())
        CheckRadio(g_pRadio365, NULL);
    else
        CheckRadio(g_pRadio280, NULL);
    g_pMethodGroup = NewGroupBox(hDlg, SZ_METHOD_GROUP, ScaleLayout(METHOD_GROUP_Y), ScaleLayout(METHOD_GROUP_H),
                                 g_pCalendar);
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

void OnCommand(HWND hDlg, int nCommand)
{
    switch (nCommand)
    {
    case IDC_RADIO_365:     OnRadioTapped(g_pRadio365, g_pRadio280); break;
    case IDC_RADIO_280:     OnRadioTapped(g_pRadio280, g_pRadio365); break;
    case IDM_SETTINGS_EXIT: EndDialog(hDlg, IDM_SETTINGS_EXIT); break;
    case IDM_SETTINGS_OK:   ConcludeSave(hDlg, SaveSettings()); break;
    default:                break;
    }
}

void OnDestroy()
{
    DeleteControl(&g_pCalendar);
    DeleteControl(&g_pDateGroup);
    DeleteControl(&g_pMethodGroup);
    DeleteControl(&g_pRadio365);
    DeleteControl(&g_pRadio280);
}

}  // namespace

void ConcludeSave(HWND hDlg, int nResult)
{
    if (nResult == SAVE_SETTINGS_OK)
    {
        NotifyTodayItem();
        EndDialog(hDlg, IDM_SETTINGS_OK);
        return;
    }
    // The dialog stays open with the user's choices, to try again or leave.
    ShowError(hDlg, SaveErrorText(nResult));
}

void ShowError(HWND hDlg, const WCHAR *pszText)
{
    g_pfnMessageBox(hDlg, pszText, SZ_ERROR_CAPTION, MB_OK);
}

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
