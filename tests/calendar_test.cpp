#include <gtest/gtest.h>
#include <string>
#include "core/pregnancy_calendar.h"
#include "core/today_clock.h"
#include "tests/fixed_clock.h"

namespace {

std::wstring Take(PregnancyCalendar &cal, WCHAR *psz)
{
    std::wstring str = psz ? psz : L"<null>";
    cal.FreeText(psz);
    return str;
}

std::wstring WeekText(PregnancyCalendar &cal) { return Take(cal, cal.GetWeekText()); }
std::wstring DueText(PregnancyCalendar &cal) { return Take(cal, cal.GetDueDateText()); }

std::wstring Fmt(const wchar_t *pszFormat, int a, int b, int c = 0)
{
    wchar_t sz[128];
    _snwprintf(sz, 127, pszFormat, a, b, c);
    sz[127] = 0;
    return sz;
}

std::wstring Week(int nWeeks, int nDays) { return Fmt(L"孕周: %d 周 %d 天", nWeeks, nDays); }
std::wstring Due(int y, int m, int d) { return Fmt(L"预产期: %d 年 %d 月 %d 日", y, m, d); }

// An independent day count: days since 1 January of year 0, every fourth year leap.
struct Date { int y, m, d; };

bool Leap(int y) { return y % 4 == 0; }

int MonthLength(int y, int m)
{
    static const int len[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return (m == 2 && Leap(y)) ? 29 : len[m - 1];
}

long Serial(Date dt)
{
    long n = 0;
    for (int y = 0; y < dt.y; ++y)
        n += Leap(y) ? 366 : 365;
    for (int m = 1; m < dt.m; ++m)
        n += MonthLength(dt.y, m);
    return n + dt.d - 1;
}

Date AddDays(Date dt, long nDays)
{
    while (nDays > 0)
    {
        if (++dt.d > MonthLength(dt.y, dt.m))
        {
            dt.d = 1;
            if (++dt.m > 12) { dt.m = 1; ++dt.y; }
        }
        --nDays;
    }
    while (nDays < 0)
    {
        if (--dt.d < 1)
        {
            if (--dt.m < 1) { dt.m = 12; --dt.y; }
            dt.d = MonthLength(dt.y, dt.m);
        }
        ++nDays;
    }
    return dt;
}

// Nine calendar months from the first of the start month, counted from the start day, plus 7.
int OracleTotal(Date start, int nMethod)
{
    if (nMethod != CALC_BY_365)
        return 280;
    Date first = { start.y, start.m, 1 };
    Date later = { start.y + (start.m + 8) / 12, (start.m + 8) % 12 + 1, 1 };
    return (int)(Serial(later) - Serial(first)) + 7;
}

int OracleState(long nPassed, int nTotal)
{
    if (nPassed > nTotal) return PS_PAST_DUE;
    if (nPassed == nTotal) return PS_DUE_DAY;
    if (nPassed > 0) return PS_PREGNANT;
    if (nPassed == 0) return PS_FIRST_DAY;
    return PS_BEFORE_START;
}

std::wstring DateText(Date dt) { return Fmt(L"%d-%d-%d", dt.y, dt.m, dt.d); }

struct Case
{
    const wchar_t *pszStart;
    int nMethod;
    Date today;
    int nState;
    int nPassed;
    const wchar_t *pszWeek;
    const wchar_t *pszDue;
};

} // namespace

// The days the users' notes were taken from, one line each.
TEST(CalendarGolden, KnownDaysClassifyAndFormatExactly)
{
    const Case cases[] = {
        { L"2010-1-1",   CALC_BY_280, { 2010, 1, 1 },   PS_FIRST_DAY,    0,   L"孕周: 0 周 0 天",  L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_280, { 2010, 1, 2 },   PS_PREGNANT,     1,   L"孕周: 0 周 1 天",  L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_280, { 2010, 10, 7 },  PS_PREGNANT,     279, L"孕周: 39 周 6 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_280, { 2010, 10, 8 },  PS_DUE_DAY,      280, L"孕周: 40 周 0 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_280, { 2010, 10, 9 },  PS_PAST_DUE,     281, L"孕周: 40 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_365, { 2010, 10, 8 },  PS_DUE_DAY,      280, L"孕周: 40 周 0 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1",   CALC_BY_280, { 2010, 3, 27 },  PS_PREGNANT,     85,  L"孕周: 12 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2009-12-20", CALC_BY_280, { 2010, 1, 5 },   PS_PREGNANT,     16,  L"孕周: 2 周 2 天",  L"预产期: 2010 年 9 月 26 日" },
        { L"2009-12-20 ", CALC_BY_280, { 2010, 1, 5 },  PS_PREGNANT,     16,  L"孕周: 2 周 2 天",  L"预产期: 2010 年 9 月 26 日" },
        { L"2008-3-1",   CALC_BY_280, { 2009, 2, 28 },  PS_PAST_DUE,     364, L"孕周: 52 周 0 天", L"预产期: 2008 年 12 月 6 日" },
        { L"2008-2-29",  CALC_BY_365, { 2008, 3, 1 },   PS_PREGNANT,     1,   L"孕周: 0 周 1 天",  L"预产期: 2008 年 12 月 6 日" },
        { L"2009-5-20",  CALC_BY_280, { 2009, 6, 1 },   PS_PREGNANT,     12,  L"孕周: 1 周 5 天",  L"预产期: 2010 年 2 月 24 日" },
        { L"2009-5-20",  CALC_BY_365, { 2010, 2, 27 },  PS_DUE_DAY,      283, L"孕周: 40 周 3 天", L"预产期: 2010 年 2 月 27 日" },
        { L"2009-3-31",  CALC_BY_280, { 2009, 4, 1 },   PS_PREGNANT,     1,   L"孕周: 0 周 1 天",  L"预产期: 2010 年 1 月 5 日" },
        { L"2009-3-31",  CALC_BY_365, { 2009, 4, 1 },   PS_PREGNANT,     1,   L"孕周: 0 周 1 天",  L"预产期: 2010 年 1 月 7 日" },
        { L"2012-1-31",  CALC_BY_365, { 2012, 11, 7 },  PS_DUE_DAY,      281, L"孕周: 40 周 1 天", L"预产期: 2012 年 11 月 7 日" },
        { L"2010-6-1",   CALC_BY_280, { 2010, 3, 27 },  PS_BEFORE_START, -66, L"孕周: -9 周 -3 天", L"预产期: 2011 年 3 月 8 日" },
        { L"2100-2-29",  CALC_BY_280, { 2100, 3, 1 },   PS_PREGNANT,     1,   L"孕周: 0 周 1 天",  L"预产期: 2100 年 12 月 5 日" },
    };
    for (const Case &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "start " << std::string(c.pszStart, c.pszStart + wcslen(c.pszStart))
                                        << " method " << c.nMethod << " today " << c.today.y << "-" << c.today.m << "-" << c.today.d);
        FixedToday today(c.today.y, c.today.m, c.today.d);
        PregnancyCalendar cal;
        cal.SetCalcMethod(c.nMethod);
        EXPECT_EQ(c.nState, cal.Classify(c.pszStart));
        EXPECT_EQ(c.nPassed, cal.GetPassedDays());
        EXPECT_EQ(std::wstring(c.pszWeek), WeekText(cal));
        EXPECT_EQ(std::wstring(c.pszDue), DueText(cal));
    }
}

TEST(CalendarSweep, EveryStartDateAgainstIndependentDayCount)
{
    FixedToday today(2000, 1, 1);
    PregnancyCalendar cal;
    int nChecked = 0;
    for (int nMethod = CALC_BY_280; nMethod <= CALC_BY_365; ++nMethod)
    {
        for (Date start = { 2007, 1, 1 }; start.y < 2011; start = AddDays(start, 1))
        {
            int nTotal = OracleTotal(start, nMethod);
            Date due = AddDays(start, nTotal);
            std::wstring strStart = DateText(start);
            std::wstring strDue = Due(due.y, due.m, due.d);
            Date day = AddDays(start, -400);
            for (long nPassed = -400; nPassed <= 700; ++nPassed, day = AddDays(day, 1))
            {
                today.Set(day.y, day.m, day.d);
                cal.SetCalcMethod(nMethod);
                int nState = cal.Classify(strStart.c_str());
                bool bOk = nState == OracleState(nPassed, nTotal) && cal.GetPassedDays() == nPassed;
                // Texts are pure functions of the fields: check them on a stride, and around the due day.
                if (bOk && (nPassed % 37 == 0 || (nPassed >= nTotal - 1 && nPassed <= nTotal + 1)))
                {
                    bOk = WeekText(cal) == Week((int)nPassed / 7, (int)nPassed % 7) && DueText(cal) == strDue;
                }
                if (!bOk)
                {
                    ADD_FAILURE() << "start " << start.y << "-" << start.m << "-" << start.d << " method " << nMethod
                                  << " today " << day.y << "-" << day.m << "-" << day.d << ": state " << nState
                                  << " passed " << cal.GetPassedDays() << ", expected " << OracleState(nPassed, nTotal)
                                  << " / " << nPassed;
                    return;
                }
                ++nChecked;
            }
        }
    }
    EXPECT_GT(nChecked, 3000000);
}

TEST(CalendarYears, StartTwoOrMoreYearsBackIsPastDueWithTheRealCount)
{
    FixedToday today(2012, 1, 5);
    PregnancyCalendar cal;
    // A recent classification first, so a stale count would show.
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2011-12-20"));
    EXPECT_EQ(16, cal.GetPassedDays());

    cal.SetCalcMethod(CALC_BY_365);
    EXPECT_EQ(PS_PAST_DUE, cal.Classify(L"2009-12-20"));
    EXPECT_EQ(746, cal.GetPassedDays());
    EXPECT_EQ(Week(106, 4), WeekText(cal));
    EXPECT_EQ(PS_PAST_DUE, cal.Classify(L"1990-6-1"));
    EXPECT_EQ(Serial({ 2012, 1, 5 }) - Serial({ 1990, 6, 1 }), cal.GetPassedDays());
}

TEST(CalendarYears, StartInALaterYearIsBeforeStartWithTheRealNegativeCount)
{
    FixedToday today(2009, 12, 30);
    PregnancyCalendar cal;
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2009-12-20"));
    EXPECT_EQ(PS_BEFORE_START, cal.Classify(L"2010-1-2"));
    EXPECT_EQ(-3, cal.GetPassedDays());
    EXPECT_EQ(PS_BEFORE_START, cal.Classify(L"2031-7-5"));
    EXPECT_EQ(-(Serial({ 2031, 7, 5 }) - Serial({ 2009, 12, 30 })), cal.GetPassedDays());
}

TEST(CalendarYears, MethodChangeBetweenClassificationsTakesEffect)
{
    FixedToday today(2010, 2, 26);
    PregnancyCalendar cal;
    cal.SetCalcMethod(CALC_BY_365);
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2009-5-20"));
    EXPECT_EQ(Due(2010, 2, 27), DueText(cal));
    cal.SetCalcMethod(CALC_BY_280);
    EXPECT_EQ(PS_PAST_DUE, cal.Classify(L"2009-5-20"));
    EXPECT_EQ(Due(2010, 2, 24), DueText(cal));
    cal.SetCalcMethod(7);   // anything but 1 counts 280 days
    EXPECT_EQ(PS_PAST_DUE, cal.Classify(L"2009-5-20"));
}

TEST(CalendarRejects, TextsThatCannotBeDatesKeepTheLastClassification)
{
    FixedToday today(2010, 3, 27);
    std::wstring strLong(10000, L'9');
    std::wstring strLongDay = L"2010-1-" + strLong;
    std::wstring strLongDash(10000, L'-');
    const wchar_t *const apszBad[] = {
        L"", L"2010", L"2010-1", L"20101-1-1", L"2010-123-1", L"2010-0-5", L"2010-13-5", L"2010--5",
        L"2010-1-0", L"2010-1-32", L"2010-2-29", L"2011-4-31", L"2010-1-", L"2010-1-x", L"-1-1",
        L"+2010-1-1", L"2010-1--1", L"２０１０-1-1", L"2010-１-1", L"2010-1-１",
        L" 2010 - 1 - 1", L"abc-de-fg", L"2010-1-99999999999999999999",
        strLong.c_str(), strLongDay.c_str(), strLongDash.c_str(),
    };

    PregnancyCalendar fresh;
    for (const wchar_t *psz : apszBad)
    {
        EXPECT_EQ(PS_BEFORE_START, fresh.Classify(psz)) << "fresh, text #" << (&psz - apszBad);
    }
    EXPECT_EQ(0, fresh.GetPassedDays());
    EXPECT_EQ(Week(0, 0), WeekText(fresh));
    EXPECT_EQ(Due(0, 0, 0), DueText(fresh));

    PregnancyCalendar cal;
    ASSERT_EQ(PS_PREGNANT, cal.Classify(L"2010-1-1"));
    for (const wchar_t *psz : apszBad)
    {
        SCOPED_TRACE(testing::Message() << "text #" << (&psz - apszBad));
        EXPECT_EQ(PS_BEFORE_START, cal.Classify(psz));
        EXPECT_EQ(85, cal.GetPassedDays());
        EXPECT_EQ(Week(12, 1), WeekText(cal));
        EXPECT_EQ(Due(2010, 10, 8), DueText(cal));
    }
    EXPECT_EQ(PS_BEFORE_START, cal.Classify(NULL));
}

TEST(CalendarRejects, LeadingBlanksAndSignsParseAsTheClockConversionDoes)
{
    FixedToday today(2010, 3, 27);
    PregnancyCalendar cal;
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2010- 1-1"));
    EXPECT_EQ(85, cal.GetPassedDays());
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2010-+1-+1"));
    EXPECT_EQ(85, cal.GetPassedDays());
    EXPECT_EQ(PS_PREGNANT, cal.Classify(L"2010-01-01"));
    EXPECT_EQ(85, cal.GetPassedDays());
}

TEST(CalendarClock, TodayIsTheLocalDate)
{
    EXPECT_EQ(g_pfnGetToday, (PFN_GETTODAY)GetLocalTime);
}
