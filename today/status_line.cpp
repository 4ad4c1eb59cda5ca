#include "today/status_line.h"
#include "today/item_state.h"
#include "core/debug_log.h"
#include "core/pregnancy_calendar.h"
#include "core/shared_names.h"
#include <strsafe.h>

const WCHAR SETUP_PROMPT[] = L"请单击此处，设置您的预产期";

static const WCHAR LINE_PAST_DUE[]  = L"今天您已过预产期!\n 更多详情请点击查看";
static const WCHAR LINE_PREGNANT[]  = L"今天是您怀孕的%s\n 更多详情请点击查看";
static const WCHAR LINE_FIRST_DAY[] = L"今天是您预产期第一天\n 更多详情请点击查看";
static const WCHAR LINE_DUE_DAY[]   = L"今天是您的预产期!\n 更多详情请点击查看";

// Writes the line for a classification; FALSE when the state has no line of its own.
static BOOL WriteStatusLine(int nState)
{
    switch (nState)
    {
    case PS_PAST_DUE:
        StringCchCopyW(g_szShowTxt, ARRAYSIZE(g_szShowTxt), LINE_PAST_DUE);
        return TRUE;
    case PS_PREGNANT:
    {
        WCHAR *pszWeek = g_PregnancyCalendar.GetWeekText();
        if (!pszWeek)
            return FALSE;
        StringCchPrintfW(g_szShowTxt, ARRAYSIZE(g_szShowTxt), LINE_PREGNANT, pszWeek);
        g_PregnancyCalendar.FreeText(pszWeek);
        return TRUE;
    }
    case PS_FIRST_DAY:
        StringCchCopyW(g_szShowTxt, ARRAYSIZE(g_szShowTxt), LINE_FIRST_DAY);
        return TRUE;
    case PS_DUE_DAY:
        StringCchCopyW(g_szShowTxt, ARRAYSIZE(g_szShowTxt), LINE_DUE_DAY);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CalculatePragnantTime()
{
    BOOL bResult = FALSE;
    BOOL bLine = FALSE;
    WCHAR *pszTime = NULL;
    WCHAR *pszMethod = NULL;

    HRESULT hr = g_ItemConfig.InitXMLDOMDocument();
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"InitXMLDOMDocument hr = %d", hr);
    if (hr >= 0)
    {
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"InitXMLDOMDocument");
        if (g_ItemConfig.LoadXMLFile(g_szXMLFilePath) < 0)
        {
            g_ItemConfig.ReleaseXMLDOMDocument();
            return FALSE;
        }
    }

    if (g_ItemConfig.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszTime) == 0 && pszTime)
    {
        // Read every time, so a change of method in config.xml shows at the next computation.
        if (g_ItemConfig.GetChildText(CONFIG_ROOT, CONFIG_CALC_METHOD, &pszMethod) != 0)
        {
            g_ItemConfig.FreeText(pszMethod);
            pszMethod = NULL;
        }
        g_PregnancyCalendar.SetCalcMethod(CalcMethodOfText(pszMethod));

        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"CalculatePragnantTime,  pszTime = %s", pszTime);
        int nState = g_PregnancyCalendar.Classify(pszTime);
        bLine = WriteStatusLine(nState);
        bResult = TRUE;
    }
    // Whatever the file gives today, as the main program's first page shows it: a line for a
    // date in progress or past, else the prompt, also after a line was shown before.
    g_bFirstDisplay = !bLine;

    g_ItemConfig.FreeText(pszTime);
    g_ItemConfig.FreeText(pszMethod);
    g_ItemConfig.ReleaseXMLDOMDocument();

    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_bFirstDisplay = %d", g_bFirstDisplay);
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", g_szShowTxt);
    return bResult;
}
