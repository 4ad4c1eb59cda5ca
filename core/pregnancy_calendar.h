#pragma once
#include <windows.h>

enum PregnancyState
{
    PS_BEFORE_START = -1,
    PS_PAST_DUE     = 0,
    PS_PREGNANT     = 1,
    PS_FIRST_DAY    = 2,
    PS_DUE_DAY      = 3
};

#define CALC_BY_280 0
#define CALC_BY_365 1

// The due date's day of the count by the 280-day method (day 0 is the start date).
#define FIXED_TOTAL_DAYS 280

#define CALENDAR_TEXT_CCH 256

// What a stored StartTime text means, for every reader alike: the date it names, or FALSE when
// it names none. Leading blanks, a sign and anything after the day's digits are let pass, as
// the platform's number conversion does.
BOOL ParseStartDate(const WCHAR *pszTime, int *pnYear, int *pnMonth, int *pnDay);

// The date nDays after the given one (before it for a negative count) on the calendar the counts
// use, every fourth year a leap year. FALSE when the given date is none or the result would fall
// before year 1.
#define SHIFT_DAYS_MAX 1000000
BOOL ShiftDate(int nYear, int nMonth, int nDay, int nDays, int *pnYear, int *pnMonth, int *pnDay);

// The days from a start date to its due date by the method: 280, or nine calendar months and
// seven days.
int TotalDaysOf(int nYear, int nMonth, int nDay, int nMethod);

// What a stored CalcMethod text means: the 365-day method for exactly "1", else 280 days.
int CalcMethodOfText(const WCHAR *pszMethod);

class PregnancyCalendar
{
public:
    PregnancyCalendar();
    ~PregnancyCalendar();

    void ResetMonthDays();
    void SetCalcMethod(int nMethod);
    int Classify(const WCHAR *pszTime);
    void CalcTotalDays();
    int GetPassedDays() const { return m_nPassedDays; }
    // Days from today to the due date of the method set: negative once it is past.
    int GetDaysToDue() const { return m_nTotalDays - m_nPassedDays; }
    WCHAR *GetWeekText();
    WCHAR *GetDueDateText();
    void FreeText(WCHAR *pszText);

private:
    void SetFebruary(int nYear);
    int DayOfYear(int nYear, int nMonth, int nDay);

    const WCHAR *m_pszTime;
    int m_nTotalDays;
    int m_nStartYear;
    int m_nStartMonth;
    int m_nStartDay;
    int m_nTodayYear;
    int m_nTodayMonth;
    int m_nTodayDay;
    int m_nPassedDays;
    int m_nCalcMethod;
    int m_aMonthDays[13];
};

extern PregnancyCalendar g_PregnancyCalendar;
