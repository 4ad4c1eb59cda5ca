#include "main/status_texts.h"
#include "main/checkup_texts.h"
#include "main/main_globals.h"
#include "main/pages.h"
#include "main/start_phases.h"
#include "core/config_document.h"
#include "core/debug_log.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "resources/ulvores_ids.h"
#include <strsafe.h>

WCHAR g_szStatusTxt[STATUS_TEXT_CCH];
int g_bStartTimeSet = 0;
WCHAR *g_pszAdviceTxt = NULL;

static const WCHAR PAST_DUE_FORMAT[]  = L"您已过预产期!今天是您怀孕的%s";
static const WCHAR PREGNANT_FORMAT[]  = L"今天是您怀孕的%s";
static const WCHAR FIRST_DAY_TEXT[]   = L"今天是您预产期第一天!";
static const WCHAR DUE_DAY_TEXT[]     = L"今天是您的预产期!";
static const WCHAR DUE_DATE_FORMAT[]  = L"您的%s";
static const WCHAR SET_START_PROMPT[] = L"请设置怀孕开始时间";
static const WCHAR DAYS_TO_DUE_FORMAT[]  = L"距离预产期还有 %d 天";
static const WCHAR DUE_TODAY_TEXT[]      = L"今天就是预产期";
static const WCHAR DAYS_PAST_DUE_FORMAT[] = L"已超过预产期 %d 天";

static const int DAYS_PER_WEEK = 7;
static const int DAYS_PER_MONTH = 30;

void ShowWeekAdvice(unsigned int nWeek)
{
    if (nWeek > ULVO_ADVICE_LAST_WEEK)
        return;
    // Weeks 0 and 1 share the first text.
    UINT nId = (nWeek <= 1) ? IDS_ADVICE_FIRST : IDS_ADVICE_FIRST - 1 + nWeek;
    if (g_pszAdviceTxt && g_pResLib)
        g_pResLib->FreeText(g_pszAdviceTxt);
    g_pszAdviceTxt = g_pResLib ? g_pResLib->LoadResString(nId) : NULL;
}

void ShowMonthPicture(unsigned int nMonth)
{
    if (nMonth > ULVO_PICTURE_LAST_MONTH)
        return;
    // Months 0 and 1 share the first picture.
    UINT nId = (nMonth <= 1) ? IDB_MONTH_FIRST : IDB_MONTH_FIRST - 1 + nMonth;
    EnterStartPhase(START_PICTURE);
    g_picMonth.SetBitmap(g_pResLib, nId);
    EnterStartPhase(START_PAGES);
}

static void FormatWeekStatus(const WCHAR *pszFormat)
{
    WCHAR *pszWeek = g_PregnancyCalendar.GetWeekText();
    StringCchPrintfW(g_szStatusTxt, ARRAYSIZE(g_szStatusTxt), pszFormat, pszWeek ? pszWeek : L"");
    g_PregnancyCalendar.FreeText(pszWeek);
}

static void FormatStatus(int nState)
{
    switch (nState)
    {
    case PS_PAST_DUE:
        FormatWeekStatus(PAST_DUE_FORMAT);
        break;
    case PS_PREGNANT:
        FormatWeekStatus(PREGNANT_FORMAT);
        ShowMonthPicture(g_PregnancyCalendar.GetPassedDays() / DAYS_PER_MONTH);
        break;
    case PS_FIRST_DAY:
        StringCchCopyW(g_szStatusTxt, ARRAYSIZE(g_szStatusTxt), FIRST_DAY_TEXT);
        break;
    case PS_DUE_DAY:
        StringCchCopyW(g_szStatusTxt, ARRAYSIZE(g_szStatusTxt), DUE_DAY_TEXT);
        break;
    default:
        // Before the start: the status line keeps what it said.
        break;
    }
}

static void ShowAdvice()
{
    if (!g_pszAdviceTxt)
        return;
    g_editWeekAdvice.SetText(g_pszAdviceTxt);
    if (g_pResLib)
        g_pResLib->FreeText(g_pszAdviceTxt);
    g_pszAdviceTxt = NULL;
}

static void ShowDueDate()
{
    WCHAR szLine[DUE_DATE_LINE_CCH];
    ZeroMemory(szLine, sizeof(szLine));
    WCHAR *pszDueDate = g_PregnancyCalendar.GetDueDateText();
    StringCchPrintfW(szLine, ARRAYSIZE(szLine), DUE_DATE_FORMAT, pszDueDate ? pszDueDate : L"");
    g_editDueDate.SetText(szLine);
    g_PregnancyCalendar.FreeText(pszDueDate);
}

// The days from today to the due date of the stored method, in local calendar days.
static void ShowCountdown()
{
    WCHAR szLine[COUNTDOWN_CCH];
    int nDays = g_PregnancyCalendar.GetDaysToDue();
    if (nDays > 0)
        StringCchPrintfW(szLine, ARRAYSIZE(szLine), DAYS_TO_DUE_FORMAT, nDays);
    else if (nDays == 0)
        StringCchCopyW(szLine, ARRAYSIZE(szLine), DUE_TODAY_TEXT);
    else
        StringCchPrintfW(szLine, ARRAYSIZE(szLine), DAYS_PAST_DUE_FORMAT, -nDays);
    g_editCountdown.SetText(szLine);
}

// A text the calendar refused leaves its day count as it was; a start date still to come
// gives a negative count. Only for the latter is there a due date worth showing.
static BOOL IsStartAccepted(int nState)
{
    return nState != PS_BEFORE_START || g_PregnancyCalendar.GetPassedDays() < 0;
}

// No date in progress: the pages look as on a first start with this file, the prompt with no
// week's advice, month's picture or countdown of some earlier date beside it, and the checks
// with none of them marked. Page 今日, and the pages after it.
static void ClearFirstPage()
{
    g_szStatusTxt[0] = 0;
    g_picMonth.ClearBitmap();
}

static void ClearOtherPages()
{
    g_editWeekAdvice.SetText(L"");
    g_editCountdown.SetText(L"");
    ShowCheckups(SET_START_PROMPT, 0);
}

// What the last reading of the settings gave, for the pages filled after page 今日.
static int s_nReadState = PS_BEFORE_START;

static void ShowStartTime(const WCHAR *pszTime, const WCHAR *pszMethod)
{
    DebugLog(LOG_SRC_MAIN, LOG_INFO, L"pszTime = %s", pszTime);
    g_PregnancyCalendar.SetCalcMethod(CalcMethodOfText(pszMethod));

    g_bStartTimeSet = 1;
    int nState = g_PregnancyCalendar.Classify(pszTime);
    s_nReadState = nState;
    if (nState == PS_BEFORE_START)
        ClearFirstPage();
    FormatStatus(nState);
    g_editStatus.SetText(g_szStatusTxt);
}

// Both settings from the configuration's open document, loaded or not, which is then released:
// no time without a start date, no method without one of those.
static void ReadOpenSettings(WCHAR **ppszTime, WCHAR **ppszMethod)
{
    if (g_pConfig->GetChildText(CONFIG_ROOT, CONFIG_START_TIME, ppszTime) != S_OK || !*ppszTime)
    {
        g_pConfig->FreeText(*ppszTime);
        *ppszTime = NULL;
    }
    else if (g_pConfig->GetChildText(CONFIG_ROOT, CONFIG_CALC_METHOD, ppszMethod) != S_OK)
    {
        g_pConfig->FreeText(*ppszMethod);
        *ppszMethod = NULL;
    }
    g_pConfig->ReleaseXMLDOMDocument();
}

// Page 今日 from the settings of an open document, or from none. No start date, or none in
// progress: ask for one, as the Today item does.
static void ShowFirstPageOf(BOOL bOpen)
{
    WCHAR *pszTime = NULL;
    WCHAR *pszMethod = NULL;
    EnterStartPhase(START_CONFIG);
    if (bOpen)
        ReadOpenSettings(&pszTime, &pszMethod);
    EnterStartPhase(START_PAGES);
    g_bStartTimeSet = 0;
    if (pszTime)
        ShowStartTime(pszTime, pszMethod);
    if (!g_bStartTimeSet || g_szStatusTxt[0] == 0)
    {
        if (!g_bStartTimeSet)
            ClearFirstPage();
        g_editStatus.SetText(SET_START_PROMPT);
    }
    if (g_pConfig)
    {
        g_pConfig->FreeText(pszTime);
        g_pConfig->FreeText(pszMethod);
    }
}

void ShowFirstPage()
{
    DebugLog(LOG_SRC_MAIN, LOG_INFO, L"GetStartTime");
    ShowFirstPageOf(g_pConfig != NULL);
}

void FillOtherPages()
{
    int nState = g_bStartTimeSet ? s_nReadState : PS_BEFORE_START;
    if (nState == PS_BEFORE_START)
        ClearOtherPages();
    if (nState == PS_PREGNANT)
        ShowWeekAdvice(g_PregnancyCalendar.GetPassedDays() / DAYS_PER_WEEK);
    ShowAdvice();
    if (g_bStartTimeSet && IsStartAccepted(nState))
        ShowDueDate();
    if (nState != PS_BEFORE_START)
    {
        ShowCountdown();
        ShowCheckups(NULL, g_PregnancyCalendar.GetPassedDays());
    }
}

void GetStartTime()
{
    DebugLog(LOG_SRC_MAIN, LOG_INFO, L"GetStartTime");
    BOOL bOpen = g_pConfig && g_pConfig->InitXMLDOMDocument() == S_OK
                 && g_pConfig->LoadXMLFile(g_szXMLFilePath) == S_OK;
    if (g_pConfig && !bOpen)
        g_pConfig->ReleaseXMLDOMDocument();
    ShowFirstPageOf(bOpen);
    FillOtherPages();
}
