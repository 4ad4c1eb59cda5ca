#include "main/settings_store.h"
#include <strsafe.h>
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/shared_names.h"
#include "main/button_control.h"
#include "main/month_calendar.h"
#include "main/settings_dialog.h"
#include "main/main_globals.h"
#include "platform/ce_compat.h"

namespace {

const int DATE_TEXT_CCH = 16;   // "yyyy-m-d" and the terminator, with room to spare
const int METHOD_TEXT_CCH = 2;  // one character and the terminator

BOOL OpenConfig()
{
    return g_pConfig != NULL
        && g_pConfig->InitXMLDOMDocument() == S_OK
        && g_pConfig->LoadXMLFile(g_szXMLFilePath) == S_OK;
}

// Reads CONFIG's child text from the document as it is on storage now; null when missing.
WCHAR *ReadStoredText(const WCHAR *pszChild)
{
    WCHAR *pszText = NULL;
    if (g_pConfig == NULL)
        return NULL;
    if (!OpenConfig())
    {
        g_pConfig->ReleaseXMLDOMDocument();
        return NULL;
    }
    if (g_pConfig->GetChildText(CONFIG_ROOT, pszChild, &pszText) != S_OK && pszText != NULL)
    {
        g_pConfig->FreeText(pszText);
        pszText = NULL;
    }
    g_pConfig->ReleaseXMLDOMDocument();
    return pszText;
}

// Puts the text into CONFIG's child in the open document: in place when the child is there,
// else appended at the end of CONFIG. Nothing is saved yet.
BOOL StoreSettingChild(const WCHAR *pszChild, const WCHAR *pszText)
{
    if (pszText == NULL)
        return FALSE;

    WCHAR *pszOld = NULL;
    HRESULT hr = g_pConfig->GetChildText(CONFIG_ROOT, pszChild, &pszOld);
    BOOL bExists = (hr == S_OK && pszOld != NULL);

    IXMLDOMNode *pConfig = NULL;
    IXMLDOMNode *pChild = NULL;
    hr = g_pConfig->SelectNode(CONFIG_ROOT, &pConfig);
    if (hr == S_OK)
    {
        if (bExists)
        {
            hr = g_pConfig->FindChildNode(pConfig, pszChild, &pChild);
            if (hr == S_OK)
                hr = g_pConfig->SetNodeText(pChild, pszText);
        }
        else
        {
            hr = g_pConfig->AppendChildElement(pConfig, pszChild, pszText, &pChild);
        }
    }

    if (pChild != NULL)
        pChild->Release();
    if (pConfig != NULL)
        pConfig->Release();
    g_pConfig->FreeText(pszOld);
    return hr == S_OK;
}

// Both values go into the document, then the file is replaced once: a crash leaves the old
// date and method together or the new ones, never the new date with the old method.
int StoreAndSave(const SYSTEMTIME &st, BOOL b365)
{
    WCHAR szTime[DATE_TEXT_CCH] = { 0 };
    WCHAR szMethod[METHOD_TEXT_CCH] = { 0 };
    StringCchPrintfW(szTime, DATE_TEXT_CCH, L"%d-%d-%d", st.wYear, st.wMonth, st.wDay);
    StringCchCopyW(szMethod, METHOD_TEXT_CCH, b365 ? CALC_METHOD_365 : CALC_METHOD_280);
    if (!StoreSettingChild(CONFIG_START_TIME, szTime))
        return SAVE_SETTINGS_START_TIME;
    if (!StoreSettingChild(CONFIG_CALC_METHOD, szMethod))
        return SAVE_SETTINGS_CALC_METHOD;
    // Nothing of the new date reached the file either.
    if (g_pConfig->SaveXMLFile() != S_OK)
        return SAVE_SETTINGS_START_TIME;
    PostMessageW(g_hWndMain, MYMSG_MAIN_REFRESH, 0, 0);
    return SAVE_SETTINGS_OK;
}

}  // namespace

int GetCalcMethod()
{
    if (g_pConfig == NULL)
        return 0;
    WCHAR *pszMethod = ReadStoredText(CONFIG_CALC_METHOD);
    int nMethod = 0;
    if (CalcMethodOfText(pszMethod) == CALC_BY_365)
        nMethod = 1;
    else if (pszMethod != NULL && wcscmp(pszMethod, CALC_METHOD_280) == 0)
        nMethod = 2;
    g_pConfig->FreeText(pszMethod);
    return nMethod;
}

BOOL GetStoredStartDate(SYSTEMTIME *pst)
{
    if (g_pConfig == NULL || pst == NULL)
        return FALSE;
    WCHAR *pszTime = ReadStoredText(CONFIG_START_TIME);
    int nYear = 0, nMonth = 0, nDay = 0;
    BOOL bOk = ParseStartDate(pszTime, &nYear, &nMonth, &nDay);
    g_pConfig->FreeText(pszTime);
    if (!bOk)
        return FALSE;
    ZeroMemory(pst, sizeof(*pst));
    pst->wYear = (WORD)nYear;
    pst->wMonth = (WORD)nMonth;
    pst->wDay = (WORD)nDay;
    return TRUE;
}

int GetStoredPregnancyDay()
{
    WCHAR *pszTime = ReadStoredText(CONFIG_START_TIME);
    // A calendar of its own: the pages' one holds the texts they show.
    PregnancyCalendar calendar;
    int nDay = calendar.Classify(pszTime) == PS_BEFORE_START ? -1 : calendar.GetPassedDays();
    if (g_pConfig != NULL)
        g_pConfig->FreeText(pszTime);
    return nDay;
}

BOOL IsPreselected365()
{
    int nMethod = GetCalcMethod();
    if (nMethod != 0)
        return nMethod == 1;
    // Nothing usable stored: the pages count 280 days from a stored date, so the dialog shows
    // that; only a new user, with no date yet, starts on 365 days.
    SYSTEMTIME st;
    return !GetStoredStartDate(&st);
}

// The date (null when it could not be read) and the method in one replace of the file.
static int SaveDateAndMethod(const SYSTEMTIME *pst, BOOL b365)
{
    int nResult = SAVE_SETTINGS_NO_DOCUMENT;
    if (OpenConfig())
        nResult = pst != NULL ? StoreAndSave(*pst, b365) : SAVE_SETTINGS_NO_DATE;
    if (g_pConfig != NULL)
        g_pConfig->ReleaseXMLDOMDocument();
    return nResult;
}

int SaveSettings()
{
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    BOOL bDate = g_pCalendar != NULL && g_pCalendar->GetCurSel(&st);
    return SaveDateAndMethod(bDate ? &st : NULL, g_pRadio365 != NULL && g_pRadio365->IsChecked());
}

int SaveStartDate280(const SYSTEMTIME &stStart)
{
    return SaveDateAndMethod(&stStart, FALSE);
}

void NotifyTodayItem()
{
    HWND hWndItem = NULL;
    HKEY hKey = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, REG_ACCESS_READ, &hKey) == ERROR_SUCCESS)
    {
        DWORD dwValue = 0;
        DWORD cbValue = sizeof(dwValue);
        // Only a whole 4-byte handle: a shorter value would name some unrelated window.
        if (RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, NULL, (BYTE *)&dwValue, &cbValue) == ERROR_SUCCESS
            && cbValue == sizeof(dwValue))
            hWndItem = (HWND)(UINT_PTR)dwValue;
        RegCloseKey(hKey);
    }
    if (IsWindow(hWndItem))
        PostMessageW(hWndItem, MYMSG_ULVO_REFRESH, 0, 0);
}
