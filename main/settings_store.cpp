#include "main/settings_store.h"
#include <strsafe.h>
#include "core/config_document.h"
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

// One decimal number without sign; advances past it. FALSE when no digit is there.
BOOL ParseNumber(const WCHAR **ppsz, int *pnValue)
{
    const WCHAR *psz = *ppsz;
    int nValue = 0;
    int nDigits = 0;
    while (*psz >= L'0' && *psz <= L'9' && nDigits < 5)
    {
        nValue = nValue * 10 + (*psz - L'0');
        ++psz;
        ++nDigits;
    }
    *ppsz = psz;
    *pnValue = nValue;
    return nDigits > 0;
}

// Updates the child in place when it is there, else appends it at the end of CONFIG; then
// saves the whole file and asks the main window to rebuild its texts.
int SaveSettingChild(const WCHAR *pszChild, const WCHAR *pszText)
{
    if (pszText == NULL)
        return 0;

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
    if (hr == S_OK)
        hr = g_pConfig->SaveXMLFile();

    if (pChild != NULL)
        pChild->Release();
    if (pConfig != NULL)
        pConfig->Release();
    g_pConfig->FreeText(pszOld);

    if (hr != S_OK)
        return 0;
    PostMessageW(g_hWndMain, MYMSG_MAIN_REFRESH, 0, 0);
    return 1;
}

}  // namespace

int GetCalcMethod()
{
    if (g_pConfig == NULL)
        return 0;
    WCHAR *pszMethod = ReadStoredText(CONFIG_CALC_METHOD);
    int nMethod = 0;
    if (pszMethod != NULL && lstrcmpW(pszMethod, CALC_METHOD_365) == 0)
        nMethod = 1;
    else if (pszMethod != NULL && lstrcmpW(pszMethod, CALC_METHOD_280) == 0)
        nMethod = 2;
    g_pConfig->FreeText(pszMethod);
    return nMethod;
}

BOOL GetStoredStartDate(SYSTEMTIME *pst)
{
    if (g_pConfig == NULL || pst == NULL)
        return FALSE;
    WCHAR *pszTime = ReadStoredText(CONFIG_START_TIME);
    if (pszTime == NULL)
        return FALSE;
    const WCHAR *psz = pszTime;
    int nYear = 0, nMonth = 0, nDay = 0;
    BOOL bOk = ParseNumber(&psz, &nYear) && *psz++ == L'-'
            && ParseNumber(&psz, &nMonth) && *psz++ == L'-'
            && ParseNumber(&psz, &nDay) && *psz == 0
            && nYear >= 1601 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= 31;
    g_pConfig->FreeText(pszTime);
    if (!bOk)
        return FALSE;
    ZeroMemory(pst, sizeof(*pst));
    pst->wYear = (WORD)nYear;
    pst->wMonth = (WORD)nMonth;
    pst->wDay = (WORD)nDay;
    return TRUE;
}

int SaveStartTime(const WCHAR *pszTime)
{
    return SaveSettingChild(CONFIG_START_TIME, pszTime);
}

int SaveCalcMethod(const WCHAR *pszMethod)
{
    return SaveSettingChild(CONFIG_CALC_METHOD, pszMethod);
}

int SaveSettings()
{
    int nResult = SAVE_SETTINGS_NO_DOCUMENT;
    if (OpenConfig())
    {
        SYSTEMTIME st;
        ZeroMemory(&st, sizeof(st));
        WCHAR szTime[DATE_TEXT_CCH] = { 0 };
        WCHAR szMethod[METHOD_TEXT_CCH] = { 0 };
        if (g_pCalendar == NULL || !g_pCalendar->GetCurSel(&st))
        {
            nResult = SAVE_SETTINGS_NO_DATE;
        }
        else
        {
            // The date is stored and saved before the method is even looked at: a failure
            // with the method leaves the new date in the file.
            StringCchPrintfW(szTime, DATE_TEXT_CCH, L"%d-%d-%d", st.wYear, st.wMonth, st.wDay);
            if (!SaveStartTime(szTime))
            {
                nResult = SAVE_SETTINGS_START_TIME;
            }
            else
            {
                BOOL b365 = g_pRadio365 != NULL && g_pRadio365->IsChecked();
                StringCchCopyW(szMethod, METHOD_TEXT_CCH, b365 ? CALC_METHOD_365 : CALC_METHOD_280);
                nResult = SaveCalcMethod(szMethod) ? SAVE_SETTINGS_OK : SAVE_SETTINGS_CALC_METHOD;
            }
        }
    }
    if (g_pConfig != NULL)
        g_pConfig->ReleaseXMLDOMDocument();
    return nResult;
}

void NotifyTodayItem()
{
    HWND hWndItem = NULL;
    HKEY hKey = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, REG_ACCESS_READ, &hKey) == ERROR_SUCCESS)
    {
        DWORD dwValue = 0;
        DWORD cbValue = sizeof(dwValue);
        if (RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, NULL, (BYTE *)&dwValue, &cbValue) == ERROR_SUCCESS)
            hWndItem = (HWND)(UINT_PTR)dwValue;
        RegCloseKey(hKey);
    }
    if (IsWindow(hWndItem))
        PostMessageW(hWndItem, MYMSG_ULVO_REFRESH, 0, 0);
}
