// The dialogs over records.csv: what each shows for the file and the moment, what a tap writes and
// shows, what a file that cannot be written says, and how the texts follow the clock.
#include "tests/main_test_util.h"
#include "main/dialogs.h"
#include "resources/main_ids.h"

namespace {

// Today is 2027-03-01, and 02-22 is the seventh day before it.
#define HEADER "time,event\r\n"
#define KICK(time) "2027-03-01 " time ",kick\r\n"
#define KICK_ON(day, time) "2027-" day " " time ",kick\r\n"
#define TIP L"每天早、中、晚各数一小时, 5 分钟内的连续胎动算一次\r\n\r\n最近 7 天\r\n"
#define IDLE L"点击“动了一下”开始一小时计数"
#define NOT_YET L"今天还没有数满一小时"
#define FEW L"胎动偏少, 请再数一小时并留意"
// Three complete hours of 12, 2 and 1 effective taps: 15 × 4 = 60.
#define THREE_HOURS KICK("07:00:00") KICK("07:05:00") KICK("07:10:00") KICK("07:15:00") KICK("07:20:00") \
    KICK("07:25:00") KICK("07:30:00") KICK("07:35:00") KICK("07:40:00") KICK("07:45:00") KICK("07:50:00") \
    KICK("07:55:00") KICK("12:00:00") KICK("12:30:00") KICK("18:00:00")

#define START(time) "2027-03-01 " time ",contraction_start\r\n"
#define END(time) "2027-03-01 " time ",contraction_end\r\n"
#define HINT L"宫缩开始时点一下, 结束时再点一下"
#define NO_HOUR L"最近一小时没有宫缩"
#define GO_NOW L"破水、出血或胎动明显减少时, 请立即去医院"
#define RULE L"宫缩已规律 (5 分钟一次, 每次约 1 分钟, 持续 1 小时), 请准备去医院"
#define PRETERM L"未满 37 周出现规律宫缩, 请立即就医"
#define ON_DAY_258 "<StartTime>2026-6-16</StartTime><CalcMethod>2</CalcMethod>"
#define ON_DAY_259 "<StartTime>2026-6-15</StartTime><CalcMethod>2</CalcMethod>"

// 08:00 to 09:00, one every 5 minutes lasting a minute; and the timer's list of its last ten.
std::string RegularHour()
{
    std::string str = HEADER;
    char sz[128];
    for (int m = 0; m <= 60; m += 5)
        str += (snprintf(sz, sizeof(sz), "2027-03-01 %02d:%02d:00,contraction_start\r\n2027-03-01 %02d:%02d:00,contraction_end\r\n",
                         8 + m / 60, m % 60, 8 + (m + 1) / 60, (m + 1) % 60), sz);
    return str;
}
std::wstring RegularHourList()
{
    std::wstring str;
    for (int m = 60; m >= 15; m -= 5)
        str += L"0" + std::to_wstring(8 + m / 60) + L":" + (m % 60 < 10 ? L"0" : L"") + std::to_wstring(m % 60)
             + L":00  持续 1:00  间隔 5:00\r\n";
    return str;
}

int s_nBeeps = 0;
BOOL WINAPI CountBeep(UINT) { return ++s_nBeeps > 0; }

class RecordDialogs : public MainTest
{
protected:
    void SetUp() override
    {
        MainTest::SetUp();
        static void *s_pBeep = PatchImport(GetModuleHandleW(NULL), "user32.dll", "MessageBeep", (void *)CountBeep);
        ASSERT_TRUE(s_pBeep != NULL);
        s_nBeeps = 0;
    }
    std::wstring RecordsPath() const { return m_dir.File(L"records.csv"); }
    std::string Records() const { return ReadFileBytes(RecordsPath()); }
};

// Every text of the kick counter, top to bottom, one per line.
std::wstring KickTexts(HWND hDlg)
{
    std::wstring str;
    for (int nId : { IDC_KICK_LEFT, IDC_KICK_COUNT, IDC_KICK_TODAY, IDC_KICK_ASSESSMENT, IDC_KICK_HISTORY })
        str += WindowText(GetDlgItem(hDlg, nId)) + L"\n";
    return str;
}

std::wstring Texts(const wchar_t *pszLeft, const wchar_t *pszCount, const wchar_t *pszToday, const wchar_t *pszAssessment,
                   const wchar_t *pszDays)
{
    return std::wstring(pszLeft) + L"\n" + pszCount + L"\n" + pszToday + L"\n" + pszAssessment + L"\n" + TIP + pszDays + L"\n";
}

// Every text of the contraction timer, top to bottom, one per line.
std::wstring ContractionTexts(HWND hDlg)
{
    std::wstring str;
    for (int nId : { IDC_CONTRACTION_TAP, IDC_CONTRACTION_NOW, IDC_CONTRACTION_HOUR, IDC_CONTRACTION_MESSAGE,
                     IDC_CONTRACTION_HISTORY })
        str += WindowText(GetDlgItem(hDlg, nId)) + L"\n";
    return str;
}

std::wstring Timer(const wchar_t *pszButton, const wchar_t *pszNow, const wchar_t *pszHour, const wchar_t *pszMessage,
                   const std::wstring &strList)
{
    return std::wstring(pszButton) + L"\n" + pszNow + L"\n" + pszHour + L"\n" + pszMessage + L"\n" + strList + GO_NOW L"\n";
}

}  // namespace

// records.csv and the moment on 2027-03-01 in, every text of the kick counter out: the hour being
// counted, today's complete hours with what they come to, the days before that have any.
TEST_F(RecordDialogs, KickCounterShowsTheHourTodayAndTheDaysBefore)
{
    const char *NONE = NULL;
    const struct { const char *pszRecords; int nHour, nMinute, nSecond; std::wstring strTexts; } CASES[] = {
        { NONE, 9, 0, 0, Texts(IDLE, L"", NOT_YET, L"", L"还没有记录") },
        { HEADER KICK("08:30:00") KICK("08:33:00") KICK("08:36:00"), 9, 0, 0,
          Texts(L"本小时还剩 30:00", L"本次有效胎动 2 次 (点击 3 次)", NOT_YET, L"", L"还没有记录") },
        { HEADER KICK("08:30:00"), 9, 29, 1, Texts(L"本小时还剩 0:59", L"本次有效胎动 1 次 (点击 1 次)", NOT_YET, L"", L"还没有记录") },
        { HEADER THREE_HOURS KICK_ON("02-28", "23:30:00") KICK_ON("03-01", "00:20:00") KICK_ON("02-22", "09:00:00")
          KICK_ON("02-21", "09:00:00"), 21, 0, 0,
          Texts(IDLE, L"", L"今天已数 3 小时, 有效胎动 15 次, 12 小时估算 60 次", L"胎动正常",
                L"2月28日: 1 小时, 有效 2 次, 估算 24 次\r\n2月22日: 1 小时, 有效 1 次, 估算 12 次") },
        { HEADER KICK("08:00:00") KICK("08:10:00") KICK("12:00:00") KICK("20:10:00"), 20, 30, 0,
          Texts(L"本小时还剩 40:00", L"本次有效胎动 1 次 (点击 1 次)", L"今天已数 2 小时, 有效胎动 3 次, 12 小时估算 18 次",
                L"胎动过少, 请及时就医", L"还没有记录") },
        { HEADER KICK("08:00:00") KICK("08:10:00") KICK("12:00:00") KICK("12:10:00") KICK("12:20:00") KICK("18:00:00")
          "2027-03-01 18:05:00,kic", 21, 0, 0,
          Texts(IDLE, L"", L"今天已数 3 小时, 有效胎动 6 次, 12 小时估算 24 次", FEW, L"还没有记录") },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszRecords ? c.pszRecords : "(no file)");
        DeleteFileW(RecordsPath().c_str());
        if (c.pszRecords)
        {
            ASSERT_TRUE(WriteWholeFile(RecordsPath(), c.pszRecords));
        }
        FixedToday today(2027, 3, 1);
        today.SetTime(c.nHour, c.nMinute, c.nSecond);
        Dialog dlg(IDD_KICKS, KickDlgProc);
        EXPECT_EQ(c.strTexts, KickTexts(dlg));
        EXPECT_EQ(L"确定", SoftKeys());
        EXPECT_EQ(IDC_KICK_TAP, LOWORD(SendMessageW(dlg, DM_GETDEFID, 0, 0)));
        EXPECT_EQ(c.pszRecords ? c.pszRecords : "", Records()) << "opening wrote to the file";
    }
}

// Each tap is in the file before the dialog counts it; the hour's end changes the texts at the
// next tick, with one beep; closing the dialog leaves the hour running, as reopening shows.
TEST_F(RecordDialogs, KickTapsAreWrittenThenCountedAndTheHourEndsOnTheClock)
{
    FixedToday today(2027, 3, 1);
    const struct { int nMinute, nSecond; bool bTap; std::wstring strTexts; int nBeeps; } STEPS[] = {
        { 0, 0, true, Texts(L"本小时还剩 60:00", L"本次有效胎动 1 次 (点击 1 次)", NOT_YET, L"", L"还没有记录"), 0 },
        { 3, 0, true, Texts(L"本小时还剩 57:00", L"本次有效胎动 1 次 (点击 2 次)", NOT_YET, L"", L"还没有记录"), 0 },
        { 5, 0, true, Texts(L"本小时还剩 55:00", L"本次有效胎动 2 次 (点击 3 次)", NOT_YET, L"", L"还没有记录"), 0 },
        { 5, 1, false, Texts(L"本小时还剩 54:59", L"本次有效胎动 2 次 (点击 3 次)", NOT_YET, L"", L"还没有记录"), 0 },
        { 59, 59, false, Texts(L"本小时还剩 0:01", L"本次有效胎动 2 次 (点击 3 次)", NOT_YET, L"", L"还没有记录"), 0 },
        { 60, 0, false, Texts(IDLE, L"", L"今天已数 1 小时, 有效胎动 2 次, 12 小时估算 24 次", FEW, L"还没有记录"), 1 },
        { 60, 1, false, Texts(IDLE, L"", L"今天已数 1 小时, 有效胎动 2 次, 12 小时估算 24 次", FEW, L"还没有记录"), 1 },
    };
    {
        Dialog dlg(IDD_KICKS, KickDlgProc);
        for (const auto &s : STEPS)
        {
            today.SetTime(9 + s.nMinute / 60, s.nMinute % 60, s.nSecond);
            if (s.bTap)
                SendMessageW(GetDlgItem(dlg, IDC_KICK_TAP), BM_CLICK, 0, 0);
            else
                SendMessageW(dlg, WM_TIMER, 1, 0);
            EXPECT_EQ(s.strTexts, KickTexts(dlg)) << s.nMinute << ":" << s.nSecond;
            EXPECT_EQ(s.nBeeps, s_nBeeps) << s.nMinute << ":" << s.nSecond;
        }
        EXPECT_EQ(HEADER KICK("09:00:00") KICK("09:03:00") KICK("09:05:00"), Records());
        dlg.Tap(IDM_DIALOG_OK);
        EXPECT_FALSE(dlg.IsOpen());
    }
    today.SetTime(9, 30, 0);
    Dialog again(IDD_KICKS, KickDlgProc);
    EXPECT_EQ(Texts(L"本小时还剩 30:00", L"本次有效胎动 2 次 (点击 3 次)", NOT_YET, L"", L"还没有记录"), KickTexts(again));
}

// A file that cannot be written, or a folder in its place: the message, and nothing counted.
TEST_F(RecordDialogs, AKickThatCannotBeSavedSaysSoAndIsNotCounted)
{
    FixedToday today(2027, 3, 1);
    today.SetTime(9, 30, 0);
    const std::string BEFORE = HEADER KICK("09:00:00");
    for (bool bFolder : { false, true })
    {
        SCOPED_TRACE(bFolder ? "folder" : "read-only file");
        if (bFolder)
        {
            ASSERT_TRUE(CreateDirectoryW(RecordsPath().c_str(), NULL));
        }
        else
        {
            ASSERT_TRUE(WriteWholeFile(RecordsPath(), BEFORE));
            SetFileAttributesW(RecordsPath().c_str(), FILE_ATTRIBUTE_READONLY);
        }
        Dialog dlg(IDD_KICKS, KickDlgProc);
        std::wstring strBefore = KickTexts(dlg);
        ShownBoxes().clear();
        SendMessageW(GetDlgItem(dlg, IDC_KICK_TAP), BM_CLICK, 0, 0);
        EXPECT_EQ(std::vector<std::wstring>(1, ShownBox(L"无法保存胎动记录", L"错误", dlg)), ShownBoxes());
        SendMessageW(dlg, WM_TIMER, 1, 0);
        EXPECT_EQ(strBefore, KickTexts(dlg));
        EXPECT_TRUE(dlg.IsOpen());
        if (bFolder)
            RemoveDirectoryW(RecordsPath().c_str());
        else
        {
            EXPECT_EQ(BEFORE, Records());
            SetFileAttributesW(RecordsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(RecordsPath().c_str());
        }
    }
}

// records.csv, config.xml and the moment on 2027-03-01 in, every text of the contraction timer
// out: the button, the running contraction or the time since the last one began, the last hour,
// the message when it applies (before week 37 the warning alone), the latest ones.
TEST_F(RecordDialogs, ContractionTimerShowsTheNowTheLastHourAndWhenToGo)
{
    const char *NONE = NULL;
    const std::wstring HOUR_LIST = RegularHourList();
    const wchar_t *HOUR = L"最近一小时: 12 次, 平均持续 1:00, 平均间隔 5:00";
    const struct { const char *pszConfig; std::string strRecords; int nHour, nMinute, nSecond; std::wstring strTexts; } CASES[] = {
        { NONE, "", 9, 0, 0, Timer(L"宫缩开始", HINT, NO_HOUR, L"", L"") },
        { NONE, HEADER START("09:00:00") END("09:01:00"), 9, 5, 0,
          Timer(L"宫缩开始", L"距上次宫缩开始 5:00", L"最近一小时: 1 次, 平均持续 1:00, 平均间隔 —", L"", L"09:00:00  持续 1:00  间隔 —\r\n") },
        { NONE, HEADER START("09:00:00") END("09:01:00"), 11, 0, 1,
          Timer(L"宫缩开始", HINT, NO_HOUR, L"", L"09:00:00  持续 1:00  间隔 —\r\n") },
        { NONE, HEADER START("08:00:00") END("08:00:50") START("09:00:00"), 9, 0, 45,
          Timer(L"宫缩结束", L"本次宫缩 0:45", NO_HOUR, L"", L"08:00:00  持续 0:50  间隔 —\r\n") },
        { NONE, RegularHour(), 9, 5, 0, Timer(L"宫缩开始", L"距上次宫缩开始 5:00", HOUR, RULE, HOUR_LIST) },
        { ON_DAY_259, RegularHour(), 9, 5, 0, Timer(L"宫缩开始", L"距上次宫缩开始 5:00", HOUR, RULE, HOUR_LIST) },
        { ON_DAY_258, RegularHour(), 9, 5, 0, Timer(L"宫缩开始", L"距上次宫缩开始 5:00", HOUR, PRETERM, HOUR_LIST) },
        { NONE, RegularHour(), 9, 11, 0,
          Timer(L"宫缩开始", L"距上次宫缩开始 11:00", L"最近一小时: 10 次, 平均持续 1:00, 平均间隔 5:00", L"", HOUR_LIST) },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.strRecords);
        ASSERT_TRUE(WriteWholeFile(RecordsPath(), c.strRecords));
        if (c.pszConfig)
            Store(c.pszConfig);
        else
            DeleteFileW(ConfigPath().c_str());
        FixedToday today(2027, 3, 1);
        today.SetTime(c.nHour, c.nMinute, c.nSecond);
        Dialog dlg(IDD_CONTRACTIONS, ContractionDlgProc);
        EXPECT_EQ(c.strTexts, ContractionTexts(dlg));
        EXPECT_EQ(L"撤销 确定", SoftKeys());
        EXPECT_EQ(IDC_CONTRACTION_TAP, LOWORD(SendMessageW(dlg, DM_GETDEFID, 0, 0)));
        EXPECT_EQ(c.strRecords, Records()) << "opening wrote to the file";
    }
}

// The button and the soft key 撤销 as the user taps them: what each writes and shows, the running
// time on the clock, the latest contraction taken back and, with none left, nothing written; a
// file that cannot be written says so and shows nothing new.
TEST_F(RecordDialogs, ContractionTapsAndUndoAreWrittenThenShown)
{
    FixedToday today(2027, 3, 1);
    enum Act { TAP, UNDO, TICK };
    const struct { int nMinute, nSecond; Act act; const char *pszAppended; std::wstring strTexts; } STEPS[] = {
        { 0, 0, UNDO, "", Timer(L"宫缩开始", HINT, NO_HOUR, L"", L"") },
        { 0, 0, TAP, START("09:00:00"), Timer(L"宫缩结束", L"本次宫缩 0:00", NO_HOUR, L"", L"") },
        { 0, 50, TICK, "", Timer(L"宫缩结束", L"本次宫缩 0:50", NO_HOUR, L"", L"") },
        { 1, 5, TAP, END("09:01:05"),
          Timer(L"宫缩开始", L"距上次宫缩开始 1:05", L"最近一小时: 1 次, 平均持续 1:05, 平均间隔 —", L"", L"09:00:00  持续 1:05  间隔 —\r\n") },
        { 4, 0, TAP, START("09:04:00"),
          Timer(L"宫缩结束", L"本次宫缩 0:00", L"最近一小时: 1 次, 平均持续 1:05, 平均间隔 —", L"", L"09:00:00  持续 1:05  间隔 —\r\n") },
        { 4, 10, UNDO, "2027-03-01 09:04:10,contraction_undo\r\n",
          Timer(L"宫缩开始", L"距上次宫缩开始 4:10", L"最近一小时: 1 次, 平均持续 1:05, 平均间隔 —", L"", L"09:00:00  持续 1:05  间隔 —\r\n") },
        { 4, 20, UNDO, "2027-03-01 09:04:20,contraction_undo\r\n", Timer(L"宫缩开始", HINT, NO_HOUR, L"", L"") },
        { 4, 30, UNDO, "", Timer(L"宫缩开始", HINT, NO_HOUR, L"", L"") },
    };
    std::string strFile;
    Dialog dlg(IDD_CONTRACTIONS, ContractionDlgProc);
    for (const auto &s : STEPS)
    {
        today.SetTime(9, s.nMinute, s.nSecond);
        if (s.act == TAP)
            SendMessageW(GetDlgItem(dlg, IDC_CONTRACTION_TAP), BM_CLICK, 0, 0);
        else
            SendMessageW(dlg, s.act == UNDO ? WM_COMMAND : WM_TIMER, s.act == UNDO ? IDM_CONTRACTION_UNDO : 1, 0);
        strFile += (strFile.empty() && *s.pszAppended ? HEADER : "") + std::string(s.pszAppended);
        EXPECT_EQ(strFile, Records()) << s.nMinute << ":" << s.nSecond;
        EXPECT_EQ(s.strTexts, ContractionTexts(dlg)) << s.nMinute << ":" << s.nSecond;
    }
    // Read-only now: neither the button nor 撤销 writes or shows anything new, each says why.
    today.SetTime(9, 6, 0);
    SendMessageW(GetDlgItem(dlg, IDC_CONTRACTION_TAP), BM_CLICK, 0, 0);
    std::wstring strBefore = ContractionTexts(dlg);
    strFile = Records();
    SetFileAttributesW(RecordsPath().c_str(), FILE_ATTRIBUTE_READONLY);
    ShownBoxes().clear();
    SendMessageW(GetDlgItem(dlg, IDC_CONTRACTION_TAP), BM_CLICK, 0, 0);
    dlg.Tap(IDM_CONTRACTION_UNDO);
    SendMessageW(dlg, WM_TIMER, 1, 0);
    EXPECT_EQ(std::vector<std::wstring>(2, ShownBox(L"无法保存宫缩记录", L"错误", dlg)), ShownBoxes());
    EXPECT_EQ(strBefore, ContractionTexts(dlg));
    EXPECT_EQ(strFile, Records());
    SetFileAttributesW(RecordsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    dlg.Tap(IDM_DIALOG_OK);
    EXPECT_FALSE(dlg.IsOpen());
}
