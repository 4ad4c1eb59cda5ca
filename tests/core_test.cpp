// The core both deliverables compile in: the pregnancy calendar and the diagnostic log; and the
// platform's display density rules they scale by.
#include <gtest/gtest.h>
#include <regex>
#include <tuple>
#include "core/checkup_schedule.h"
#include "core/debug_log.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/today_clock.h"
#include "platform/display_density.h"
#include "tests/test_support.h"

namespace {

// The week line and the due-date line, as the programs show them.
std::wstring Texts(PregnancyCalendar &cal)
{
    WCHAR *pszWeek = cal.GetWeekText(), *pszDue = cal.GetDueDateText();
    std::wstring str = std::wstring(pszWeek ? pszWeek : L"<null>") + L" " + (pszDue ? pszDue : L"<null>");
    cal.FreeText(pszWeek);
    cal.FreeText(pszDue);
    return str;
}

std::wstring Format(const wchar_t *pszFormat, int a, int b, int c = 0)
{
    wchar_t sz[128];
    swprintf(sz, ARRAYSIZE(sz), pszFormat, a, b, c);
    return sz;
}

// Days since 1601-1-1 by the platform's own calendar, an independent count: between 1901 and 2099
// its leap years are every fourth year's, as the device's calendar of record has them.
const ULONGLONG FILETIME_DAY = 864000000000ULL;
long Serial(int nYear, int nMonth, int nDay)
{
    SYSTEMTIME st = { (WORD)nYear, (WORD)nMonth, 0, (WORD)nDay, 0, 0, 0, 0 };
    ULARGE_INTEGER n;
    SystemTimeToFileTime(&st, (FILETIME *)&n);
    return (long)(n.QuadPart / FILETIME_DAY);
}
SYSTEMTIME DateOf(long nSerial)
{
    ULARGE_INTEGER n;
    n.QuadPart = nSerial * FILETIME_DAY;
    SYSTEMTIME st;
    FileTimeToSystemTime((FILETIME *)&n, &st);
    return st;
}

} // namespace

// The days the users' notes were taken from, read one after another by one calendar, so that
// nothing of an earlier reading may linger; today is the local date.
TEST(Calendar, KnownDaysClassifyAndFormatExactly)
{
    struct { const wchar_t *pszStart; int nMethod; int y, m, d; int nState; const wchar_t *pszWeek, *pszDue; } const CASES[] = {
        { L"2010-1-1", CALC_BY_280, 2010, 1, 1, PS_FIRST_DAY, L"孕周: 0 周 0 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1", CALC_BY_280, 2010, 10, 8, PS_DUE_DAY, L"孕周: 40 周 0 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1", CALC_BY_280, 2010, 10, 9, PS_PAST_DUE, L"孕周: 40 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-1-1", CALC_BY_365, 2010, 10, 8, PS_DUE_DAY, L"孕周: 40 周 0 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010- 1-1", CALC_BY_280, 2010, 3, 27, PS_PREGNANT, L"孕周: 12 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-+1-+1", CALC_BY_280, 2010, 3, 27, PS_PREGNANT, L"孕周: 12 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2010-01-01", CALC_BY_280, 2010, 3, 27, PS_PREGNANT, L"孕周: 12 周 1 天", L"预产期: 2010 年 10 月 8 日" },
        { L"2009-12-20 ", CALC_BY_280, 2010, 1, 5, PS_PREGNANT, L"孕周: 2 周 2 天", L"预产期: 2010 年 9 月 26 日" },
        { L"2009-12-20", CALC_BY_365, 2012, 1, 5, PS_PAST_DUE, L"孕周: 106 周 4 天", L"预产期: 2010 年 9 月 27 日" },
        { L"1990-6-1", CALC_BY_365, 2012, 1, 5, PS_PAST_DUE, L"孕周: 1126 周 6 天", L"预产期: 1991 年 3 月 8 日" },
        { L"2008-3-1", CALC_BY_280, 2009, 2, 28, PS_PAST_DUE, L"孕周: 52 周 0 天", L"预产期: 2008 年 12 月 6 日" },
        { L"2008-2-29", CALC_BY_365, 2008, 3, 1, PS_PREGNANT, L"孕周: 0 周 1 天", L"预产期: 2008 年 12 月 6 日" },
        { L"2009-5-20", CALC_BY_365, 2010, 2, 26, PS_PREGNANT, L"孕周: 40 周 2 天", L"预产期: 2010 年 2 月 27 日" },
        { L"2009-5-20", 7, 2010, 2, 26, PS_PAST_DUE, L"孕周: 40 周 2 天", L"预产期: 2010 年 2 月 24 日" },
        { L"2009-5-20", CALC_BY_365, 2010, 2, 27, PS_DUE_DAY, L"孕周: 40 周 3 天", L"预产期: 2010 年 2 月 27 日" },
        { L"2009-3-31", CALC_BY_280, 2009, 4, 1, PS_PREGNANT, L"孕周: 0 周 1 天", L"预产期: 2010 年 1 月 5 日" },
        { L"2009-3-31", CALC_BY_365, 2009, 4, 1, PS_PREGNANT, L"孕周: 0 周 1 天", L"预产期: 2010 年 1 月 7 日" },
        { L"2012-1-31", CALC_BY_365, 2012, 11, 7, PS_DUE_DAY, L"孕周: 40 周 1 天", L"预产期: 2012 年 11 月 7 日" },
        { L"2010-6-1", CALC_BY_280, 2010, 3, 27, PS_BEFORE_START, L"孕周: -9 周 -3 天", L"预产期: 2011 年 3 月 8 日" },
        { L"2031-7-5", CALC_BY_280, 2009, 12, 30, PS_BEFORE_START, L"孕周: -1122 周 -3 天", L"预产期: 2032 年 4 月 10 日" },
        { L"2100-2-29", CALC_BY_280, 2100, 3, 1, PS_PREGNANT, L"孕周: 0 周 1 天", L"预产期: 2100 年 12 月 5 日" },
    };
    // The user picks the start on a local calendar: whatever pinned the date before has given the
    // shipped clock back. A module may hold a system function by its import stub, jmp [slot]:
    // FF 25 and a 32-bit operand, the slot's address on i686, its distance from the stub's end on x86_64.
    auto Target = [](void *p) {
        const BYTE *pb = (const BYTE *)p;
        if (pb[0] != 0xFF || pb[1] != 0x25)
            return p;
        INT32 nOperand;
        memcpy(&nOperand, pb + 2, sizeof(nOperand));
        const BYTE *pSlot = sizeof(void *) == 8 ? pb + 6 + nOperand : (const BYTE *)(UINT_PTR)(UINT32)nOperand;
        return *(void *const *)pSlot;
    };
    void *pLocalTime = (void *)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetLocalTime");
    ASSERT_TRUE(pLocalTime);
    EXPECT_EQ(pLocalTime, Target((void *)g_pfnGetToday)) << "today is not the local date";
    FixedToday today(2000, 1, 1);
    PregnancyCalendar cal;
    for (const auto &c : CASES)
    {
        today.Set(c.y, c.m, c.d);
        cal.SetCalcMethod(c.nMethod);
        EXPECT_EQ(c.nState, cal.Classify(c.pszStart)) << c.pszStart << " on " << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(std::wstring(c.pszWeek) + L" " + c.pszDue, Texts(cal));
    }
}

// Every start day of four years, by both methods, on every day from 400 before it to 700 after.
TEST(Calendar, EveryStartDateAgreesWithAnIndependentDayCount)
{
    FixedToday today(2000, 1, 1);
    PregnancyCalendar cal;
    for (int nMethod : { CALC_BY_280, CALC_BY_365 })
    {
        cal.SetCalcMethod(nMethod);
        for (long nStart = Serial(2007, 1, 1); nStart < Serial(2011, 1, 1); ++nStart)
        {
            SYSTEMTIME s = DateOf(nStart);
            // Nine calendar months from the first of the start month, then seven days.
            long nTotal = nMethod == CALC_BY_280 ? 280 : 7 - Serial(s.wYear, s.wMonth, 1)
                        + Serial(s.wYear + (s.wMonth + 8) / 12, (s.wMonth + 8) % 12 + 1, 1);
            SYSTEMTIME due = DateOf(nStart + nTotal);
            std::wstring strStart = Format(L"%d-%d-%d", s.wYear, s.wMonth, s.wDay);
            std::wstring strDue = Format(L"预产期: %d 年 %d 月 %d 日", due.wYear, due.wMonth, due.wDay);
            for (long nPassed = -400; nPassed <= 700; ++nPassed)
            {
                SYSTEMTIME t = DateOf(nStart + nPassed);
                today.Set(t.wYear, t.wMonth, t.wDay);
                int nExpected = nPassed > nTotal ? PS_PAST_DUE : nPassed == nTotal ? PS_DUE_DAY
                              : nPassed > 0 ? PS_PREGNANT : nPassed == 0 ? PS_FIRST_DAY : PS_BEFORE_START;
                // The texts follow from the two numbers: read on a stride that meets every start.
                if (cal.Classify(strStart.c_str()) != nExpected || cal.GetPassedDays() != nPassed
                    || (nPassed % 37 == 0 && Texts(cal) != Format(L"孕周: %d 周 %d 天 ", nPassed / 7, nPassed % 7) + strDue))
                    FAIL() << "start " << strStart << " method " << nMethod << " passed " << nPassed << ": " << Texts(cal);
            }
        }
    }
}

// Where a day falls among the prenatal checks ("before" the first, "past" the last, else the
// check's weeks) and the days to the next one, and the days left to the due date, on days counted
// from a start whose due date the two methods set three days apart.
TEST(Calendar, ChecksAndTheDueDateCountFromTheDaysPassed)
{
    struct { int nMethod, nPassed; const wchar_t *pszWhere; int nToNext, nToDue; } const DAYS[] = {
        { CALC_BY_280, 0, L"before", 42, 280 },      { CALC_BY_280, 41, L"before", 1, 239 },
        { CALC_BY_280, 42, L"6–13", 56, 238 },       { CALC_BY_280, 85, L"6–13", 13, 195 },
        { CALC_BY_280, 97, L"6–13", 1, 183 },        { CALC_BY_280, 98, L"14–19", 42, 182 },
        { CALC_BY_280, 139, L"14–19", 1, 141 },      { CALC_BY_280, 140, L"20–24", 35, 140 },
        { CALC_BY_280, 150, L"20–24", 25, 130 },     { CALC_BY_280, 174, L"20–24", 1, 106 },
        { CALC_BY_280, 175, L"25–28", 28, 105 },     { CALC_BY_280, 259, L"37–41", 0, 21 },
        { CALC_BY_280, 279, L"37–41", 0, 1 },        { CALC_BY_280, 280, L"37–41", 0, 0 },
        { CALC_BY_280, 281, L"37–41", 0, -1 },       { CALC_BY_280, 293, L"37–41", 0, -13 },
        { CALC_BY_280, 294, L"past", 0, -14 },       { CALC_BY_280, 366, L"past", 0, -86 },
        { CALC_BY_365, 282, L"37–41", 0, 1 },        { CALC_BY_365, 283, L"37–41", 0, 0 },
        { CALC_BY_365, 284, L"37–41", 0, -1 },
    };
    FixedToday today(2000, 1, 1);
    PregnancyCalendar cal;
    for (const auto &d : DAYS)
    {
        SYSTEMTIME t = DateOf(Serial(2009, 5, 20) + d.nPassed);
        today.Set(t.wYear, t.wMonth, t.wDay);
        cal.SetCalcMethod(d.nMethod);
        cal.Classify(L"2009-5-20");
        int nToNext = -1, nCheck = FindCheckup(cal.GetPassedDays(), &nToNext);
        wchar_t szWeeks[CHECKUP_WEEKS_CCH] = L"";
        FormatCheckupWeeks(nCheck, szWeeks, ARRAYSIZE(szWeeks));
        std::wstring strWhere = nCheck == CHECKUP_NONE_YET ? L"before" : nCheck == CHECKUP_ALL_PAST ? L"past" : szWeeks;
        EXPECT_EQ(std::make_tuple(std::wstring(d.pszWhere), d.nToNext, d.nToDue),
                  std::make_tuple(strWhere, nToNext, cal.GetDaysToDue()))
            << "day " << d.nPassed << " method " << d.nMethod;
    }
}

// A text that names no date reads as before the start and leaves the last reading's texts.
TEST(Calendar, TextsThatCannotBeDatesKeepTheLastReading)
{
    std::wstring strLong(10000, L'9'), strLongDash(10000, L'-'), strLongDay = L"2010-1-" + strLong;
    const wchar_t *const BAD[] = {
        NULL, L"", L"2010", L"2010-1", L"20101-1-1", L"2010-123-1", L"2010-0-5", L"2010-13-5", L"2010--5", L"2010-1-0",
        L"2010-1-32", L"2010-2-29", L"2011-4-31", L"2010-1-", L"2010-1-x", L"-1-1", L"+2010-1-1", L"2010-1--1", L"２０１０-1-1",
        L"2010-１-1", L"2010-1-１", L" 2010 - 1 - 1", L"abc-de-fg", L"2010-1-99999999999999999999", strLong.c_str(),
        strLongDay.c_str(), strLongDash.c_str(),
    };
    FixedToday today(2010, 3, 27);
    PregnancyCalendar cal;
    for (const wchar_t *pszGood : { (const wchar_t *)NULL, L"2010-1-1" })
    {
        ASSERT_EQ(pszGood ? PS_PREGNANT : PS_BEFORE_START, cal.Classify(pszGood));
        for (const wchar_t *psz : BAD)
        {
            EXPECT_EQ(PS_BEFORE_START, cal.Classify(psz)) << "text #" << (&psz - BAD);
            EXPECT_EQ(pszGood ? L"孕周: 12 周 1 天 预产期: 2010 年 10 月 8 日" : L"孕周: 0 周 0 天 预产期: 0 年 0 月 0 日", Texts(cal))
                << "text #" << (&psz - BAD);
        }
    }
}

// A date moved by a number of days, as the start is found from a date the doctor gives: across a
// leap day, month and year ends, both ways, with the counts' own leap rule in 2100; and between
// 1901 and 2099 as the platform's calendar moves it. A text that is no date moves nowhere.
TEST(Calendar, DatesMoveByDaysOnTheCountsCalendar)
{
    struct { int y, m, d, nDays; const char *pszTo; } const CASES[] = {
        { 2012, 3, 1, -1, "2012-2-29" },    { 2011, 3, 1, -1, "2011-2-28" },    { 2100, 3, 1, -1, "2100-2-29" },
        { 2010, 1, 1, -1, "2009-12-31" },   { 2009, 12, 31, 1, "2010-1-1" },    { 2010, 1, 31, 28, "2010-2-28" },
        { 2010, 1, 31, 29, "2010-3-1" },    { 2012, 2, 29, 366, "2013-3-1" },   { 2012, 12, 5, -280, "2012-2-29" },
        { 2010, 10, 8, -280, "2010-1-1" },  { 2010, 4, 30, 0, "2010-4-30" },    { 1, 1, 2, -1, "1-1-1" },
        { 9999, 12, 31, 1, "10000-1-1" },   { 1, 1, 1, -1, "none" },            { 2010, 2, 29, 1, "none" },
        { 2010, 13, 1, -1, "none" },        { 2010, 4, 0, 1, "none" },          { 2010, 1, 1, SHIFT_DAYS_MAX + 1, "none" },
    };
    for (const auto &c : CASES)
    {
        int nYear = 0, nMonth = 0, nDay = 0;
        BOOL bMoved = ShiftDate(c.y, c.m, c.d, c.nDays, &nYear, &nMonth, &nDay);
        EXPECT_EQ(c.pszTo, bMoved ? std::to_string(nYear) + "-" + std::to_string(nMonth) + "-" + std::to_string(nDay)
                                  : std::string("none")) << c.y << "-" << c.m << "-" << c.d << " by " << c.nDays;
    }
    for (long nFrom = Serial(2007, 1, 1); nFrom < Serial(2011, 1, 1); ++nFrom)
        for (int nDays : { -400, -280, -19, -17, -14, -1, 1, 261, 263, 266, 280, 400 })
        {
            SYSTEMTIME f = DateOf(nFrom), t = DateOf(nFrom + nDays);
            int nYear = 0, nMonth = 0, nDay = 0;
            ShiftDate(f.wYear, f.wMonth, f.wDay, nDays, &nYear, &nMonth, &nDay);
            if (nYear != t.wYear || nMonth != t.wMonth || nDay != t.wDay)
                FAIL() << f.wYear << "-" << f.wMonth << "-" << f.wDay << " by " << nDays << ": " << nYear << "-" << nMonth
                       << "-" << nDay;
        }
}

// The wait for the next local midnight from a time of day: a whole day from midnight itself, a
// moment from a leap second.
TEST(Clock, TheNextMidnightIsWhatIsLeftOfTheDay)
{
    struct { WORD wHour, wMinute, wSecond, wMilliseconds; DWORD dwWait; } const TIMES[] = {
        { 0, 0, 0, 0, 86400000 },  { 0, 0, 0, 1, 86399999 },  { 12, 0, 0, 0, 43200000 },
        { 23, 59, 0, 0, 60000 },   { 23, 59, 59, 999, 1 },    { 23, 59, 60, 0, 1000 },
    };
    for (const auto &t : TIMES)
    {
        SYSTEMTIME st = { 2010, 3, 0, 27, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds };
        EXPECT_EQ(t.dwWait, MillisecondsToMidnight(st)) << t.wHour << ":" << t.wMinute << ":" << t.wSecond << "."
                                                        << t.wMilliseconds;
    }
}

// --- Display density ---------------------------------------------------------------------------

static int s_nScreenDpi = 0;
static int WINAPI ScreenCaps(HDC, int) { return s_nScreenDpi; }

TEST(Density, LengthsFollowTheScreen)
{
    struct { int nLength, nDpi, nScaled; } const TO_DPI[] = {
        { 26, 96, 26 }, { 26, 131, 35 }, { 26, 192, 52 }, { 16, 131, 22 }, { -16, 131, -22 }, { 1, 144, 2 }, { 5, 120, 6 },
    };
    for (const auto &c : TO_DPI)
        EXPECT_EQ(c.nScaled, ScaleToDpi(c.nLength, c.nDpi)) << c.nLength << " at " << c.nDpi;
    // The main program's rule: a length doubles for each whole 192 dpi of the screen.
    struct { int nDpi, nScaled; } const BY_SHIFT[] = { { 96, 26 }, { 131, 26 }, { 191, 26 }, { 192, 52 }, { 383, 52 }, { 384, 104 } };
    void *pReal = PatchImport(GetModuleHandleW(NULL), "gdi32.dll", "GetDeviceCaps", (void *)ScreenCaps);
    ResourceLibrary lib;
    for (const auto &c : BY_SHIFT)
    {
        s_nScreenDpi = c.nDpi;
        EXPECT_EQ(c.nDpi, lib.InitScale(NULL));
        EXPECT_EQ(c.nScaled, ScaleByShift(26, g_nScaleShift)) << c.nDpi;
    }
    ASSERT_TRUE(PatchImport(GetModuleHandleW(NULL), "gdi32.dll", "GetDeviceCaps", pReal));
    // A shift the length's bits cannot take gives no length rather than an undefined one.
    EXPECT_EQ(0, ScaleByShift(26, 32) + ScaleByShift(26, -1));
}

// --- Diagnostic log ------------------------------------------------------------------------------

// A sink open on a fresh file, installed while in scope; the file's text is UTF-16 little-endian
// units with no byte-order mark.
struct OpenLog
{
    OpenLog() : strPath(dir.File(L"ulvo.log")) { EXPECT_TRUE(sink.Open(strPath.c_str())); g_pLogSink = &sink; }
    ~OpenLog() { g_pLogSink = NULL; sink.Close(); }
    std::wstring Text() const { std::string s = ReadFileBytes(strPath); return std::wstring((const wchar_t *)s.data(), s.size() / 2); }
    TempDir dir;
    std::wstring strPath;
    LogSink sink;
};

static const std::wstring STAMP = L"\\] \\[\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\\] ";

// Without an open sink nothing is formatted (the argument would fault if it were); with one, each line
// carries the source, the level and the local time, then the message expanded in a second pass.
TEST(Log, LinesCarrySourceLevelAndStampThenTheMessageExpanded)
{
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", (const wchar_t *)1);
    LogSink closed;
    g_pLogSink = &closed;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", (const wchar_t *)1);
    OpenLog log;
    DebugLog(LOG_SRC_MAIN, LOG_INFO, L"pszTime = %s", L"2009-7-5");
    DebugLog(LOG_SRC_RESOURCE, LOG_DEBUG, L"GetResource LoadLibrary errorcode = %d", 126);
    DebugLog(LOG_SRC_TODAY, LOG_ERROR, L"DrawIconEx errorcode = %d", 1402);
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", L"今天是您的预产期!");
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"%s = %d", L"100%s", 7);   // an argument is never a format
    std::wregex re(L"\\[2\\] \\[INFO" + STAMP + L"pszTime = 2009-7-5 \r\n\\[0\\] \\[DEBUG" + STAMP
                   + L"GetResource LoadLibrary errorcode = 126 \r\n\\[1\\] \\[ERROR" + STAMP + L"DrawIconEx errorcode = 1402 \r\n"
                   + L"\\[1\\] \\[INFO" + STAMP + L"g_szShowTxt = 今天是您的预产期! \r\n\\[1\\] \\[INFO" + STAMP + L"100%s = 7 \r\n");
    EXPECT_TRUE(std::regex_match(log.Text(), re)) << log.Text();
}

TEST(Log, FilePastTheLimitStartsAgainEmpty)
{
    OpenLog log;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"first");
    size_t cbLine = ReadFileBytes(log.strPath).size();
    log.sink.Close();
    // Filled so that one more such line ends exactly on the limit: that file stays.
    ASSERT_TRUE(WriteWholeFile(log.strPath, std::string(LOG_MAX_BYTES - cbLine, 'a')) && log.sink.Open(log.strPath.c_str()));
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"first");
    EXPECT_EQ((size_t)LOG_MAX_BYTES, ReadFileBytes(log.strPath).size());
    // One byte over: the file goes, and this line with it.
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"over");
    EXPECT_EQ(0u, ReadFileBytes(log.strPath).size());
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"fresh");
    EXPECT_TRUE(std::regex_match(log.Text(), std::wregex(L"\\[1\\] \\[INFO" + STAMP + L"fresh \r\n"))) << log.Text();
}
