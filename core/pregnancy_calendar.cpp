#include "core/pregnancy_calendar.h"
#include "core/today_clock.h"
#include "core/shared_names.h"
#include <strsafe.h>

static const int s_aMonthDays[13] = { 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

static const int YEAR_PART_MAX = 4;
static const int MONTH_PART_MAX = 2;

static const WCHAR WEEK_TEXT_FORMAT[] = L"孕周: %d 周 %d 天";
static const WCHAR DUE_DATE_TEXT_FORMAT[] = L"预产期: %d 年 %d 月 %d 日";

// No century rule: the device's calendar of record counts every fourth year as leap.
static BOOL IsLeapYear(int nYear)
{
    return (nYear % 4) == 0;
}

// Days in the years 0 .. nYear-1, year 0 counting as leap.
static int DaysBeforeYear(int nYear)
{
    return 365 * nYear + (nYear + 3) / 4;
}

// The platform's wide-text-to-integer conversion, saturating instead of overflowing:
// leading blanks, an optional sign, ASCII digits up to the first other character.
static int ParseDecimal(const WCHAR *psz, const WCHAR *pszEnd)
{
    while (psz < pszEnd && (*psz == L' ' || (*psz >= L'\t' && *psz <= L'\r')))
        ++psz;
    BOOL bNegative = FALSE;
    if (psz < pszEnd && (*psz == L'+' || *psz == L'-'))
    {
        bNegative = (*psz == L'-');
        ++psz;
    }
    int nValue = 0;
    while (psz < pszEnd && *psz >= L'0' && *psz <= L'9')
    {
        int nDigit = *psz - L'0';
        nValue = (nValue > (0x7FFFFFFF - nDigit) / 10) ? 0x7FFFFFFF : nValue * 10 + nDigit;
        ++psz;
    }
    return bNegative ? -nValue : nValue;
}

static WCHAR *AllocText()
{
    WCHAR *psz = (WCHAR *)HeapAlloc(GetProcessHeap(), 0, CALENDAR_TEXT_CCH * sizeof(WCHAR));
    if (psz)
    {
        psz[0] = 0;
        psz[1] = 0;
    }
    return psz;
}

PregnancyCalendar g_PregnancyCalendar;

PregnancyCalendar::PregnancyCalendar()
    : m_pszTime(NULL), m_nTotalDays(FIXED_TOTAL_DAYS),
      m_nStartYear(0), m_nStartMonth(0), m_nStartDay(0),
      m_nTodayYear(0), m_nTodayMonth(0), m_nTodayDay(0),
      m_nPassedDays(0), m_nCalcMethod(CALC_BY_280)
{
    ResetMonthDays();
}

PregnancyCalendar::~PregnancyCalendar()
{
}

void PregnancyCalendar::ResetMonthDays()
{
    for (int i = 0; i < 13; ++i)
        m_aMonthDays[i] = s_aMonthDays[i];
}

void PregnancyCalendar::SetCalcMethod(int nMethod)
{
    m_nCalcMethod = nMethod;
}

void PregnancyCalendar::SetFebruary(int nYear)
{
    m_aMonthDays[2] = IsLeapYear(nYear) ? 29 : 28;
}

int PregnancyCalendar::DayOfYear(int nYear, int nMonth, int nDay)
{
    SetFebruary(nYear);
    int nDays = nDay;
    for (int i = 1; i < nMonth; ++i)
        nDays += m_aMonthDays[i];
    return nDays;
}

static int DaysInMonth(int nYear, int nMonth)
{
    return (nMonth == 2 && IsLeapYear(nYear)) ? 29 : s_aMonthDays[nMonth];
}

static BOOL IsDate(int nYear, int nMonth, int nDay)
{
    return nYear >= 1 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= DaysInMonth(nYear, nMonth);
}

// Days from 1 January of year 0 (day 0) to the date.
static int DayNumber(int nYear, int nMonth, int nDay)
{
    int nDays = DaysBeforeYear(nYear) + nDay - 1;
    for (int i = 1; i < nMonth; ++i)
        nDays += DaysInMonth(nYear, i);
    return nDays;
}

// "year-month-day" as the settings dialog writes it. Anything that cannot be a date is
// refused before the month table is indexed with it.
BOOL ParseStartDate(const WCHAR *pszTime, int *pnYear, int *pnMonth, int *pnDay)
{
    if (!pszTime)
        return FALSE;
    const WCHAR *pszFirst = wcschr(pszTime, L'-');
    if (!pszFirst || pszFirst - pszTime > YEAR_PART_MAX)
        return FALSE;
    const WCHAR *pszSecond = wcschr(pszFirst + 1, L'-');
    if (!pszSecond || pszSecond - (pszFirst + 1) > MONTH_PART_MAX)
        return FALSE;

    int nYear = ParseDecimal(pszTime, pszFirst);
    int nMonth = ParseDecimal(pszFirst + 1, pszSecond);
    int nDay = ParseDecimal(pszSecond + 1, pszSecond + 1 + wcslen(pszSecond + 1));
    if (!IsDate(nYear, nMonth, nDay))
        return FALSE;

    *pnYear = nYear;
    *pnMonth = nMonth;
    *pnDay = nDay;
    return TRUE;
}

BOOL ShiftDate(int nYear, int nMonth, int nDay, int nDays, int *pnYear, int *pnMonth, int *pnDay)
{
    if (!IsDate(nYear, nMonth, nDay) || nDays > SHIFT_DAYS_MAX || nDays < -SHIFT_DAYS_MAX)
        return FALSE;
    int nNumber = DayNumber(nYear, nMonth, nDay) + nDays;
    if (nNumber < DaysBeforeYear(1))
        return FALSE;
    // A year of the four-year cycle's average length, then the exact boundaries.
    int nToYear = (int)((nNumber * 4LL) / (365 * 4 + 1));
    while (DaysBeforeYear(nToYear + 1) <= nNumber)
        ++nToYear;
    while (DaysBeforeYear(nToYear) > nNumber)
        --nToYear;
    int nLeft = nNumber - DaysBeforeYear(nToYear);
    int nToMonth = 1;
    while (nLeft >= DaysInMonth(nToYear, nToMonth))
        nLeft -= DaysInMonth(nToYear, nToMonth++);
    *pnYear = nToYear;
    *pnMonth = nToMonth;
    *pnDay = nLeft + 1;
    return TRUE;
}

int TotalDaysOf(int nYear, int nMonth, int nDay, int nMethod)
{
    if (nMethod != CALC_BY_365)
        return FIXED_TOTAL_DAYS;
    // Nine calendar months from the start day, then the customary seven days.
    int nSum = DaysInMonth(nYear, nMonth) - nDay;
    for (int i = 0; i < 8; ++i)
    {
        if (++nMonth > 12)
        {
            nMonth = 1;
            ++nYear;
        }
        nSum += DaysInMonth(nYear, nMonth);
    }
    return nSum + nDay + 7;
}

int CalcMethodOfText(const WCHAR *pszMethod)
{
    return (pszMethod && wcscmp(pszMethod, CALC_METHOD_365) == 0) ? CALC_BY_365 : CALC_BY_280;
}

void PregnancyCalendar::CalcTotalDays()
{
    m_nTotalDays = TotalDaysOf(m_nStartYear, m_nStartMonth, m_nStartDay, m_nCalcMethod);
}

int PregnancyCalendar::Classify(const WCHAR *pszTime)
{
    m_pszTime = pszTime;
    int nYear, nMonth, nDay;
    if (!ParseStartDate(pszTime, &nYear, &nMonth, &nDay))
        return PS_BEFORE_START;
    m_nStartYear = nYear;
    m_nStartMonth = nMonth;
    m_nStartDay = nDay;
    CalcTotalDays();

    SYSTEMTIME st;
    g_pfnGetToday(&st);
    m_nTodayYear = st.wYear;
    m_nTodayMonth = st.wMonth;
    m_nTodayDay = st.wDay;

    int nStartDayOfYear = DayOfYear(m_nStartYear, m_nStartMonth, m_nStartDay);
    int nTodayDayOfYear = DayOfYear(m_nTodayYear, m_nTodayMonth, m_nTodayDay);
    m_nPassedDays = nTodayDayOfYear - nStartDayOfYear
                  + DaysBeforeYear(m_nTodayYear) - DaysBeforeYear(m_nStartYear);

    if (m_nPassedDays > m_nTotalDays)
        return PS_PAST_DUE;
    if (m_nPassedDays == m_nTotalDays)
        return PS_DUE_DAY;
    if (m_nPassedDays > 0)
        return PS_PREGNANT;
    if (m_nPassedDays == 0)
        return PS_FIRST_DAY;
    return PS_BEFORE_START;
}

WCHAR *PregnancyCalendar::GetWeekText()
{
    WCHAR *pszText = AllocText();
    if (pszText)
        StringCchPrintfW(pszText, CALENDAR_TEXT_CCH, WEEK_TEXT_FORMAT, m_nPassedDays / 7, m_nPassedDays % 7);
    return pszText;
}

WCHAR *PregnancyCalendar::GetDueDateText()
{
    WCHAR *pszText = AllocText();
    if (!pszText)
        return NULL;

    int nYear = 0, nMonth = 0, nDay = 0;
    // Nothing valid classified yet: zeros.
    if (!ShiftDate(m_nStartYear, m_nStartMonth, m_nStartDay, m_nTotalDays, &nYear, &nMonth, &nDay))
        nYear = nMonth = nDay = 0;
    StringCchPrintfW(pszText, CALENDAR_TEXT_CCH, DUE_DATE_TEXT_FORMAT, nYear, nMonth, nDay);
    return pszText;
}

void PregnancyCalendar::FreeText(WCHAR *pszText)
{
    if (pszText)
        HeapFree(GetProcessHeap(), 0, pszText);
}
