// What the mother records: records.csv on disk (made with its header, appended a whole line at a
// time, read from its tail, what it cannot parse skipped and kept) and what the kick taps in it
// come to.
#include <gtest/gtest.h>
#include <sstream>
#include "core/contraction_rules.h"
#include "core/kick_rules.h"
#include "core/record_file.h"
#include "tests/test_support.h"

namespace {

#define HEADER "time,event\r\n"
#define LINE(time, word) "2027-03-01 " time "," word "\r\n"

// The tables' today is 2027-03-01. A token is "HH:MM:SS" on that day, "-N/HH:MM:SS" N days
// before, with "=word" after it for an event other than a kick ("=s", "=e" and "=u" for a
// contraction's start, its end and an undo).
SYSTEMTIME TokenTime(const std::string &strToken, std::string *pstrWord)
{
    int nDaysBack = 0, nHour = 0, nMinute = 0, nSecond = 0;
    std::string str = strToken;
    size_t nEquals = str.find('=');
    *pstrWord = nEquals == std::string::npos ? "kick" : str.substr(nEquals + 1);
    if (*pstrWord == "s" || *pstrWord == "e" || *pstrWord == "u")
        *pstrWord = *pstrWord == "s" ? "contraction_start" : *pstrWord == "e" ? "contraction_end" : "contraction_undo";
    str = str.substr(0, nEquals);
    if (str[0] == '-')
    {
        nDaysBack = atoi(str.c_str() + 1);
        str = str.substr(str.find('/') + 1);
    }
    sscanf(str.c_str(), "%d:%d:%d", &nHour, &nMinute, &nSecond);
    // February 2027 has 28 days.
    SYSTEMTIME st = { 2027, (WORD)(nDaysBack ? 2 : 3), 0, (WORD)(nDaysBack ? 29 - nDaysBack : 1),
                      (WORD)nHour, (WORD)nMinute, (WORD)nSecond, 0 };
    return st;
}

// The lines of the file for the tokens, in the order given.
std::string RecordsOf(const char *pszTokens)
{
    std::istringstream in(pszTokens);
    std::string strToken, strText = HEADER;
    while (in >> strToken)
    {
        std::string strWord;
        SYSTEMTIME st = TokenTime(strToken, &strWord);
        char szLine[64];
        snprintf(szLine, sizeof(szLine), "%04d-%02d-%02d %02d:%02d:%02d,%s\r\n", st.wYear, st.wMonth, st.wDay,
                 st.wHour, st.wMinute, st.wSecond, strWord.c_str());
        strText += szLine;
    }
    return strText;
}

int NowOf(const char *pszToken)
{
    std::string strWord;
    return RecordTimeOf(TokenTime(pszToken, &strWord));
}

std::string DayText(const KickDay &day)
{
    return std::to_string(day.nHours) + " h " + std::to_string(day.nEffective) + " eff = "
         + std::to_string(day.nEstimate);
}

// "left M:SS, T taps, E eff" or "idle"; then today's hours and the days before that have any.
std::string Describe(const KickSummary &k)
{
    char szLeft[64] = "idle";
    if (k.bRunning)
        snprintf(szLeft, sizeof(szLeft), "left %d:%02d, %d taps, %d eff", k.nSecondsLeft / 60, k.nSecondsLeft % 60,
                 k.nTaps, k.nEffective);
    std::string str = std::string(szLeft) + "; today " + (k.today.nHours ? DayText(k.today) : "none");
    for (int i = 0; i < KICK_HISTORY_DAYS; i++)
        if (k.aDaysBefore[i].nHours)
            str += " | -" + std::to_string(i + 1) + ": " + DayText(k.aDaysBefore[i]);
    return str;
}

// nCount contractions of nDuration seconds, the first starting at pszFirst, one every nInterval.
std::string Regular(const char *pszFirst, int nCount, int nInterval, int nDuration)
{
    int h = 0, m = 0, sec = 0;
    sscanf(pszFirst, "%d:%d:%d", &h, &m, &sec);
    std::string str;
    char sz[64];
    for (int i = 0, t = h * 3600 + m * 60 + sec; i < nCount; i++, t += nInterval)
    {
        int e = t + nDuration;
        snprintf(sz, sizeof(sz), " %02d:%02d:%02d=s %02d:%02d:%02d=e", t / 3600, t / 60 % 60, t % 60, e / 3600, e / 60 % 60,
                 e % 60);
        str += sz;
    }
    return str;
}

std::string TimeText(int nSeconds)
{
    if (nSeconds == CONTRACTION_NONE)
        return "-";
    WCHAR sz[CONTRACTION_TIME_CCH];
    FormatContractionTime(nSeconds, sz, ARRAYSIZE(sz));
    return std::string(sz, sz + wcslen(sz));
}

// "run M:SS" or "idle"; the time since the last start; the last hour's count, mean duration and
// interval; "5-1-1" and "preterm" when they hold; then the latest contractions, newest first, as
// start, duration and interval, each run of them alike in both as its first and "xN".
std::string Describe(const ContractionSummary &c)
{
    std::string str = (c.bRunning ? "run " + TimeText(c.nRunning) : "idle") + "; since " + TimeText(c.nSinceLastStart)
                    + "; hour " + std::to_string(c.nHourCount) + " " + TimeText(c.nHourMeanDuration) + " "
                    + TimeText(c.nHourMeanInterval) + (c.bRuleHolds ? "; 5-1-1" : "") + (c.bPreterm ? "; preterm" : "");
    for (int i = 0, n = 1; i < c.nShown; i += n)
    {
        const Contraction &first = c.aShown[i];
        for (n = 1; i + n < c.nShown && c.aShown[i + n].nDuration == first.nDuration
                    && c.aShown[i + n].nInterval == first.nInterval; n++)
        {
        }
        int t = first.nStart % RECORD_SECONDS_PER_DAY;
        char sz[64];
        snprintf(sz, sizeof(sz), "%s%02d:%02d:%02d %s %s", i ? ", " : "; ", t / 3600, t / 60 % 60, t % 60,
                 TimeText(first.nDuration).c_str(), TimeText(first.nInterval).c_str());
        str += sz + (n > 1 ? " x" + std::to_string(n) : "");
    }
    return str;
}

// The events as one line each, "YYYY-MM-DD HH:MM:SS kind".
std::string EventsOf(const RecordList &list)
{
    std::string str;
    for (int i = 0; i < list.GetCount(); i++)
    {
        const RecordEvent &e = list.GetEvents()[i];
        int y = 0, m = 0, d = 0, t = e.nTime % RECORD_SECONDS_PER_DAY;
        RecordDateOfDay(e.nTime / RECORD_SECONDS_PER_DAY, &y, &m, &d);
        char sz[64];
        snprintf(sz, sizeof(sz), "%04d-%02d-%02d %02d:%02d:%02d %d\n", y, m, d, t / 3600, t / 60 % 60, t % 60, e.nKind);
        str += sz;
    }
    return str;
}

}  // namespace

// Taps, in the file's order, and the moment asked about: the hour running, today's complete hours
// and the 7 days before. The table's edges: 4:59 and 5:00 after an effective tap, 59:59 and 60:00
// after the first, a session begun before midnight, three, two and one complete hours, taps out of
// time order, taps from a clock that ran ahead, other events in between.
TEST(Kicks, TapsMakeSessionsEffectiveMovementsAndDays)
{
    const struct { const char *pszTaps, *pszNow, *pszSummary; } CASES[] = {
        { "09:00:00 09:04:59", "10:30:00", "idle; today 1 h 1 eff = 12" },
        { "09:00:00 09:05:00", "10:30:00", "idle; today 1 h 2 eff = 24" },
        // 5 minutes from the last effective tap, not from the last tap.
        { "09:00:00 09:04:00 09:08:00 09:12:00", "10:30:00", "idle; today 1 h 2 eff = 24" },
        { "09:00:00 09:59:59", "09:59:59", "left 0:01, 2 taps, 2 eff; today none" },
        { "09:00:00 09:59:59", "10:00:00", "idle; today 1 h 2 eff = 24" },
        { "09:00:00 10:00:00", "10:00:00", "left 60:00, 1 taps, 1 eff; today 1 h 1 eff = 12" },
        { "09:00:00 09:10:00", "09:30:00", "left 30:00, 2 taps, 2 eff; today none" },
        // Begun at 23:30, the hour is that day's, also its taps after midnight.
        { "-1/23:30:00 -1/23:40:00 00:10:00", "08:00:00", "idle; today none | -1: 1 h 3 eff = 36" },
        { "-1/23:30:00 -1/23:50:00", "00:10:00", "left 20:00, 2 taps, 2 eff; today none" },
        { "08:00:00 08:10:00 12:00:00 12:20:00 12:40:00 19:00:00", "21:00:00", "idle; today 3 h 6 eff = 24" },
        { "08:00:00 08:10:00 12:00:00 12:20:00 12:40:00", "21:00:00", "idle; today 2 h 5 eff = 30" },
        { "08:00:00 08:10:00 08:20:00", "21:00:00", "idle; today 1 h 3 eff = 36" },
        { "09:05:00 09:00:00 09:02:00", "10:30:00", "idle; today 1 h 2 eff = 24" },
        { "09:00:00 11:00:00", "10:30:00", "idle; today 1 h 1 eff = 12" },
        { "09:00:00 09:01:00=contraction_start 09:06:00=contraction_end 09:07:00", "10:30:00",
          "idle; today 1 h 2 eff = 24" },
        { "-8/09:00:00 -7/09:00:00 -1/09:00:00 -1/12:00:00 -1/12:30:00", "08:00:00",
          "idle; today none | -1: 2 h 3 eff = 18 | -7: 1 h 1 eff = 12" },
        { "", "08:00:00", "idle; today none" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszTaps);
        std::string strText = RecordsOf(c.pszTaps);
        RecordList list;
        list.ParseText(strText.data(), (int)strText.size(), TRUE);
        KickSummary k;
        SummarizeKicks(list.GetEvents(), list.GetCount(), NowOf(c.pszNow), &k);
        EXPECT_EQ(c.pszSummary, Describe(k)) << "at " << c.pszNow;
    }
}

// Contraction events, in the file's order, the moment asked about and the day of the pregnancy:
// the contractions they make, what the last hour comes to, whether the 5-1-1 pattern is reached
// and whether it is too early for regular contractions. Edges: intervals of 5:00 and 5:01,
// durations of 0:44 and 0:45, a run of 59:59 and 60:00, the last start 10 and 11 minutes ago, day
// 258 and 259, 3 and 4 in 20 minutes, 7 and 8 in an hour, a start open for 10 and for 11 minutes,
// undos, kicks in between.
TEST(Contractions, EventsMakeContractionsAndThePatternTheyReach)
{
    const int NONE = CONTRACTION_NONE;
    const std::string HOUR = Regular("08:00:00", 13, 300, 60);   // 08:00 to 09:00, every 5:00, 1:00 each
    const std::string HOUR_LIST = "; 09:00:00 1:00 5:00 x10";
    const std::string EIGHT = Regular("08:04:00", 8, 480, 50);  // 08:04 to 09:00, every 8:00
    const struct { std::string strEvents; const char *pszNow; int nDay; std::string strSummary; } CASES[] = {
        { "", "09:00:00", NONE, "idle; since -; hour 0 - -" },
        { "09:00:00=s 09:01:00=e", "09:05:00", NONE, "idle; since 5:00; hour 1 1:00 -; 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e", "11:00:00", NONE, "idle; since 2:00:00; hour 0 - -; 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e", "11:00:01", NONE, "idle; since -; hour 0 - -; 09:00:00 1:00 -" },
        { "09:00:00=s", "09:00:30", NONE, "run 0:30; since -; hour 0 - -" },
        { "09:00:00=s", "09:10:00", NONE, "run 10:00; since -; hour 0 - -" },
        { "09:00:00=s", "09:10:01", NONE, "idle; since -; hour 0 - -" },
        { "09:00:00=s 09:10:00=e", "09:20:00", NONE, "idle; since 20:00; hour 1 10:00 -; 09:00:00 10:00 -" },
        { "09:00:00=s 09:10:01=e", "09:20:00", NONE, "idle; since -; hour 0 - -" },
        { "09:00:00=s 09:02:00=s 09:03:00=e", "09:05:00", NONE, "idle; since 3:00; hour 1 1:00 -; 09:02:00 1:00 -" },
        { "08:59:00=e 09:00:00=s 09:01:00=e 09:01:30=e", "09:05:00", NONE,
          "idle; since 5:00; hour 1 1:00 -; 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e 09:05:00=s 09:05:30=u", "09:06:00", NONE,
          "idle; since 6:00; hour 1 1:00 -; 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e 09:05:00=s 09:06:00=e 09:07:00=u", "09:08:00", NONE,
          "idle; since 8:00; hour 1 1:00 -; 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e 09:05:00=s 09:06:00=e 09:07:00=u 09:07:10=u", "09:08:00", NONE, "idle; since -; hour 0 - -" },
        { "09:00:00=s 09:01:00=e 09:02:00=u 09:02:10=u 09:02:20=u 09:05:00=s 09:05:40=e", "09:08:00", NONE,
          "idle; since 3:00; hour 1 0:40 -; 09:05:00 0:40 -" },
        { "09:00:00=s 09:00:20 09:01:00=e 09:04:00 09:05:00=s 09:05:50=e", "09:08:00", NONE,
          "idle; since 3:00; hour 2 0:55 5:00; 09:05:00 0:50 5:00, 09:00:00 1:00 -" },
        { "09:05:00=s 09:05:50=e 09:00:00=s 09:01:00=e", "09:08:00", NONE,
          "idle; since 3:00; hour 2 0:55 5:00; 09:05:00 0:50 5:00, 09:00:00 1:00 -" },
        { "09:00:00=s 09:01:00=e 09:30:00=s", "09:20:00", NONE, "idle; since 20:00; hour 1 1:00 -; 09:00:00 1:00 -" },
        // The pattern: an hour of them, every 5:00, 1:00 each, the last one 5, 10 or 11 minutes ago.
        { HOUR, "09:05:00", NONE, "idle; since 5:00; hour 12 1:00 5:00; 5-1-1" + HOUR_LIST },
        { HOUR, "09:10:00", NONE, "idle; since 10:00; hour 11 1:00 5:00; 5-1-1" + HOUR_LIST },
        { HOUR, "09:11:00", NONE, "idle; since 11:00; hour 10 1:00 5:00" + HOUR_LIST },
        { Regular("08:00:01", 12, 300, 60) + " 09:00:00=s 09:01:00=e", "09:05:00", NONE,
          "idle; since 5:00; hour 12 1:00 5:00; 09:00:00 1:00 4:59, 08:55:01 1:00 5:00 x9" },
        { Regular("08:00:00", 6, 300, 60) + Regular("08:30:01", 7, 300, 60), "09:05:00", NONE,
          "idle; since 4:59; hour 12 1:00 5:00; 09:00:01 1:00 5:00 x6, 08:30:01 1:00 5:01, 08:25:00 1:00 5:00 x3" },
        { Regular("08:00:00", 6, 300, 60) + " 08:30:00=s 08:30:45=e" + Regular("08:35:00", 6, 300, 60), "09:05:00", NONE,
          "idle; since 5:00; hour 12 0:59 5:00; 5-1-1; 09:00:00 1:00 5:00 x6, 08:30:00 0:45 5:00, 08:25:00 1:00 5:00 x3" },
        { Regular("08:00:00", 6, 300, 60) + " 08:30:00=s 08:30:44=e" + Regular("08:35:00", 6, 300, 60), "09:05:00", NONE,
          "idle; since 5:00; hour 12 0:59 5:00; 09:00:00 1:00 5:00 x6, 08:30:00 0:44 5:00, 08:25:00 1:00 5:00 x3" },
        // Too early: 4 in 20 minutes or 8 in an hour, before day 259, instead of anything else.
        { Regular("09:00:00", 4, 300, 60), "09:20:00", 258,
          "idle; since 5:00; hour 4 1:00 5:00; preterm; 09:15:00 1:00 5:00 x3, 09:00:00 1:00 -" },
        { Regular("09:00:00", 4, 300, 60), "09:20:00", 259,
          "idle; since 5:00; hour 4 1:00 5:00; 09:15:00 1:00 5:00 x3, 09:00:00 1:00 -" },
        { Regular("09:00:00", 4, 300, 60), "09:20:00", NONE,
          "idle; since 5:00; hour 4 1:00 5:00; 09:15:00 1:00 5:00 x3, 09:00:00 1:00 -" },
        { Regular("09:00:00", 4, 300, 60), "09:20:01", 258,
          "idle; since 5:01; hour 4 1:00 5:00; 09:15:00 1:00 5:00 x3, 09:00:00 1:00 -" },
        { EIGHT, "09:04:00", 0, "idle; since 4:00; hour 8 0:50 8:00; preterm; 09:00:00 0:50 8:00 x7, 08:04:00 0:50 -" },
        { EIGHT, "09:04:01", 0, "idle; since 4:01; hour 7 0:50 8:00; 09:00:00 0:50 8:00 x7, 08:04:00 0:50 -" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.strEvents);
        std::string strText = RecordsOf(c.strEvents.c_str());
        RecordList list;
        list.ParseText(strText.data(), (int)strText.size(), TRUE);
        ContractionSummary summary;
        ASSERT_TRUE(SummarizeContractions(list.GetEvents(), list.GetCount(), NowOf(c.pszNow), c.nDay, &summary));
        EXPECT_EQ(c.strSummary, Describe(summary)) << "at " << c.pszNow << ", day " << c.nDay;
    }
    const struct { int nSeconds; const char *pszText; } TIMES[] = {
        { 0, "0:00" }, { 45, "0:45" }, { 301, "5:01" }, { 3599, "59:59" }, { 3600, "1:00:00" }, { 3661, "1:01:01" },
        { 36000, "10:00:00" },
    };
    for (const auto &t : TIMES)
        EXPECT_EQ(t.pszText, TimeText(t.nSeconds));
}

// The 12-hour figure rounds half up; 30 and more is normal, 20 to 29 few, below 20 too few.
TEST(Kicks, EstimateRoundsHalfUpAndAssessesAtItsEdges)
{
    const struct { int nEffective, nHours, nEstimate; KickAssessment assessment; } CASES[] = {
        { 10, 3, 40, KICKS_NORMAL }, { 5, 2, 30, KICKS_NORMAL }, { 12, 5, 29, KICKS_FEW }, { 5, 3, 20, KICKS_FEW },
        { 8, 5, 19, KICKS_TOO_FEW }, { 1, 8, 2, KICKS_TOO_FEW }, { 7, 5, 17, KICKS_TOO_FEW }, { 0, 1, 0, KICKS_TOO_FEW },
    };
    for (const auto &c : CASES)
    {
        EXPECT_EQ(c.nEstimate, KickEstimate(c.nEffective, c.nHours)) << c.nEffective << " in " << c.nHours;
        EXPECT_EQ(c.assessment, AssessKicks(c.nEstimate)) << c.nEstimate;
    }
}

// Each day of the times the file can hold, to and from the count of seconds, against the
// platform's own calendar.
TEST(Records, TimesCountTheClocksDays)
{
    const ULONGLONG FILETIME_DAY = 864000000000ULL;
    SYSTEMTIME stFirst = { RECORD_FIRST_YEAR, 1, 0, 1, 0, 0, 0, 0 };
    ULARGE_INTEGER first;
    SystemTimeToFileTime(&stFirst, (FILETIME *)&first);
    for (int nDay = 0;; nDay++)
    {
        ULARGE_INTEGER n;
        n.QuadPart = first.QuadPart + nDay * FILETIME_DAY;
        SYSTEMTIME st;
        FileTimeToSystemTime((FILETIME *)&n, &st);
        if (st.wYear > RECORD_LAST_YEAR)
            break;
        st.wHour = 23, st.wMinute = 59, st.wSecond = 59;
        ASSERT_EQ(nDay * RECORD_SECONDS_PER_DAY + RECORD_SECONDS_PER_DAY - 1, RecordTimeOf(st)) << nDay;
        int y = 0, m = 0, d = 0;
        RecordDateOfDay(nDay, &y, &m, &d);
        ASSERT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, y * 10000 + m * 100 + d) << nDay;
    }
    const SYSTEMTIME NOT_COUNTED[] = { { 1999, 12, 0, 31, 23, 59, 59, 0 }, { RECORD_LAST_YEAR + 1, 1, 0, 1, 0, 0, 0, 0 },
                                       { 2027, 2, 0, 29, 9, 0, 0, 0 }, { 2027, 3, 0, 1, 24, 0, 0, 0 },
                                       { 2027, 3, 0, 1, 9, 60, 0, 0 } };
    for (const SYSTEMTIME &st : NOT_COUNTED)
        EXPECT_EQ(-1, RecordTimeOf(st)) << st.wYear << "-" << st.wMonth << "-" << st.wDay << " " << st.wHour;
}

// A tap at 2027-03-01 09:05:07 appended to the file as it was: what the file then holds, byte for
// byte, and the events read back from it in time order. Only the new line is added; a last line a
// crash cut short is ended first and stays a line of its own that is skipped like every line that
// is not a whole event of a known kind.
TEST(Records, AnAppendAddsOneWholeLineAndReadingSkipsWhatItCannotParse)
{
    const SYSTEMTIME TAP = { 2027, 3, 0, 1, 9, 5, 7, 0 };
    const std::string NEW = LINE("09:05:07", "kick");
    const char *NONE = NULL;
    const struct { const char *pszBefore; std::string strAfter, strEvents; } CASES[] = {
        { NONE, HEADER + NEW, "2027-03-01 09:05:07 0\n" },
        { "", HEADER + NEW, "2027-03-01 09:05:07 0\n" },
        { HEADER "2027-03-01 09:00:00,ki", HEADER "2027-03-01 09:00:00,ki\r\n" + NEW, "2027-03-01 09:05:07 0\n" },
        { HEADER "2027-03-01 09:00:00,kick", HEADER "2027-03-01 09:00:00,kick\r\n" + NEW,
          "2027-03-01 09:00:00 0\n2027-03-01 09:05:07 0\n" },
        { HEADER "2027-03-01 09:00:00,kick\r", HEADER "2027-03-01 09:00:00,kick\r\r\n" + NEW,
          "2027-03-01 09:00:00 0\n2027-03-01 09:05:07 0\n" },
        { HEADER "garbage\r\n" LINE("09:00:00", "burp") "2027-02-29 09:00:00,kick\r\n" "2027-03-01 9:00:00,kick\r\n"
          LINE("09:01:00", "kick ") LINE("09:01:30", "Kick") "2027-03-01 09:01:45;kick\r\n\r\n" LINE("09:02:00", "kick"),
          "", "2027-03-01 09:02:00 0\n2027-03-01 09:05:07 0\n" },
        { LINE("09:00:00", "kick"), "", "2027-03-01 09:00:00 0\n2027-03-01 09:05:07 0\n" },
        { "time,event\n2027-03-01 09:00:00,kick\n", "", "2027-03-01 09:00:00 0\n2027-03-01 09:05:07 0\n" },
        { HEADER LINE("09:10:00", "contraction_undo") LINE("09:00:00", "contraction_start") LINE("09:01:00", "contraction_end"),
          "", "2027-03-01 09:00:00 1\n2027-03-01 09:01:00 2\n2027-03-01 09:05:07 0\n2027-03-01 09:10:00 3\n" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszBefore ? c.pszBefore : "(no file)");
        TempDir dir;
        RecordFile file;
        ASSERT_TRUE(file.SetPathBeside(dir.File(L"config.xml").c_str()));
        EXPECT_EQ(dir.File(L"records.csv"), file.GetPath());
        if (c.pszBefore)
        {
            ASSERT_TRUE(WriteWholeFile(file.GetPath(), c.pszBefore));
        }
        ASSERT_TRUE(file.Append(TAP, RECORD_KICK));
        EXPECT_EQ(c.strAfter.empty() ? c.pszBefore + NEW : c.strAfter, ReadFileBytes(file.GetPath()));
        RecordList list;
        EXPECT_TRUE(file.ReadTail(&list));
        EXPECT_EQ(c.strEvents, EventsOf(list));
    }
}

// However long the file, only its last 256 KiB are read: a line the tail begins inside is skipped,
// one it begins with is read; a 10 MB file is read the same way and appended to as any other.
TEST(Records, OnlyTheTailIsReadWhateverTheFilesLength)
{
    const std::string EARLY = LINE("08:00:00", "kick"), FIRST = LINE("08:30:00", "kick"), LAST = LINE("09:00:00", "kick");
    auto Filled = [](std::string strHead, size_t cbTotal, const std::string &strLast) {
        std::string strFill(cbTotal - strHead.size() - strLast.size(), 'x');
        for (size_t i = 100; i < strFill.size(); i += 101)
            strFill[i - 1] = '\r', strFill[i] = '\n';
        strFill.back() = '\n';
        return strHead + strFill + strLast;
    };
    const struct { std::string strBytes; const char *pszEvents; } CASES[] = {
        { HEADER + EARLY + Filled(FIRST, RECORDS_TAIL_BYTES, LAST), "2027-03-01 08:30:00 0\n2027-03-01 09:00:00 0\n" },
        { HEADER + Filled(EARLY + FIRST, RECORDS_TAIL_BYTES + EARLY.size() + 1, LAST), "2027-03-01 09:00:00 0\n" },
        { Filled(HEADER + EARLY, 10 * 1024 * 1024, LAST), "2027-03-01 09:00:00 0\n" },
    };
    for (const auto &c : CASES)
    {
        TempDir dir;
        RecordFile file;
        file.SetPathBeside(dir.File(L"config.xml").c_str());
        ASSERT_TRUE(WriteWholeFile(file.GetPath(), c.strBytes));
        RecordList list;
        EXPECT_TRUE(file.ReadTail(&list));
        EXPECT_EQ(c.pszEvents, EventsOf(list)) << c.strBytes.size() << " bytes";
        SYSTEMTIME st = { 2027, 3, 0, 1, 9, 30, 0, 0 };
        EXPECT_TRUE(file.Append(st, RECORD_KICK));
        EXPECT_EQ(c.strBytes + LINE("09:30:00", "kick"), ReadFileBytes(file.GetPath()));
    }
}

// A file that cannot be written, and a folder in its place: the append says so and nothing changes.
TEST(Records, WhereNothingCanBeWrittenTheAppendFailsAndChangesNothing)
{
    TempDir dir;
    RecordFile file;
    file.SetPathBeside(dir.File(L"config.xml").c_str());
    SYSTEMTIME st = { 2027, 3, 0, 1, 9, 30, 0, 0 };
    ASSERT_TRUE(WriteWholeFile(file.GetPath(), HEADER LINE("09:00:00", "kick")));
    SetFileAttributesW(file.GetPath(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(file.Append(st, RECORD_KICK));
    EXPECT_EQ(HEADER LINE("09:00:00", "kick"), ReadFileBytes(file.GetPath()));
    SetFileAttributesW(file.GetPath(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.GetPath());

    ASSERT_TRUE(CreateDirectoryW(file.GetPath(), NULL));
    EXPECT_FALSE(file.Append(st, RECORD_KICK));
    RecordList list;
    EXPECT_FALSE(file.ReadTail(&list));
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(file.GetPath()) & FILE_ATTRIBUTE_DIRECTORY);
}
