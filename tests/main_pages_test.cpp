// The main program in this process: what its pages say over a pregnancy, what start-up makes of
// each config.xml, and what its window shows and answers.
#include "tests/main_test_util.h"
#include <map>
#include <tuple>
#include "bench/config_files.h"
#include "bench/process_counters.h"
#include "core/shared_names.h"
#include "main/pages.h"
#include "main/settings_dialog.h"
#include "resources/main_ids.h"
#include "resources/ulvores_ids.h"

#define CONFIG(start, method) "<StartTime>" start "</StartTime><CalcMethod>" method "</CalcMethod>"
#define WEEK L"今天是您怀孕的孕周: "
#define TO_DUE L"距离预产期还有 "
#define TO_FIRST L"第一次产检: 孕 6 周起, 还有 "
#define NO_CHECK -1

// The prenatal checks as the page lists them.
static const wchar_t *const SCHEDULE[] = {
    L"孕 6–13 周: 建档, 血尿常规, 血型, 肝肾功能, 乙肝、梅毒、艾滋病筛查, 早孕超声; 11–13 周做 NT 超声",
    L"孕 14–19 周: 唐氏筛查 (15–20 周), 血尿常规",
    L"孕 20–24 周: 胎儿系统超声 (大排畸)",
    L"孕 25–28 周: 糖耐量试验 (OGTT), 血常规",
    L"孕 29–32 周: 产科超声, 血尿常规",
    L"孕 33–36 周: 尿常规; 35–37 周做 B 族链球菌筛查",
    L"孕 37–41 周: 每周一次, 胎心监护, 超声",
};

// The page 产检: inside check nCheck, that check ("本次产检: " and its weeks, then what it is for)
// and pszWhere under it, if any; else pszWhere alone. Then the schedule, check nCheck marked.
static std::wstring Checkups(int nCheck, const wchar_t *pszWhere)
{
    std::wstring strPage;
    if (nCheck != NO_CHECK)
    {
        std::wstring strLine = SCHEDULE[nCheck];
        size_t nColon = strLine.find(L": ");
        strPage = L"本次产检: " + strLine.substr(0, nColon) + L"\r\n" + strLine.substr(nColon + 2) + (pszWhere ? L"\r\n" : L"");
    }
    strPage += std::wstring(pszWhere ? pszWhere : L"") + L"\r\n\r\n产检时间表";
    for (int i = 0; i < (int)ARRAYSIZE(SCHEDULE); i++)
        strPage += (i == nCheck ? L"\r\n★ " : L"\r\n") + std::wstring(SCHEDULE[i]);
    return strPage + L"\r\n以上为常规安排, 具体请遵医嘱";
}

// Which month picture each bitmap the pages were given is, as the shell's loader made it.
static std::map<HBITMAP, UINT> s_pictures;
static HBITMAP (WINAPI *s_pfnLoadImage)(HINSTANCE, UINT) = NULL;
static int s_nPictureLoads = 0;

static HBITMAP WINAPI RecordPicture(HINSTANCE hModule, UINT nId)
{
    s_nPictureLoads++;
    HBITMAP hBitmap = s_pfnLoadImage(hModule, nId);
    s_pictures[hBitmap] = nId;
    return hBitmap;
}

// The opens of config.xml for reading by the XML DOM server, while counted.
static std::wstring s_strCountedFile;
static int s_nFileReads = 0;
static decltype(&CreateFileW) s_pfnCreateFile = NULL;

static HANDLE WINAPI CountRead(LPCWSTR pszName, DWORD dwAccess, DWORD dwShare, LPSECURITY_ATTRIBUTES pSecurity,
                               DWORD dwDisposition, DWORD dwFlags, HANDLE hTemplate)
{
    s_nFileReads += (dwAccess & GENERIC_READ) && lstrcmpiW(pszName, s_strCountedFile.c_str()) == 0;
    return s_pfnCreateFile(pszName, dwAccess, dwShare, pSecurity, dwDisposition, dwFlags, hTemplate);
}

class MainPages : public MainTest
{
protected:
    void SetUp() override
    {
        MainTest::SetUp();
        if (!s_pfnLoadImage)
            s_pfnLoadImage = (HBITMAP (WINAPI *)(HINSTANCE, UINT))PatchImport(
                GetModuleHandleW(NULL), "aygshell.dll", "SHLoadImageResource", (void *)RecordPicture);
    }
    // Counts from now on the reads of config.xml the XML DOM server makes (it is loaded by a
    // first document, and stays loaded for the rest of the run).
    void CountFileReads()
    {
        ConfigDocument config;
        ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
        if (!s_pfnCreateFile)
            s_pfnCreateFile = (decltype(&CreateFileW))PatchImport(GetModuleHandleW(L"xmldom.dll"), "kernel32.dll",
                                                                  "CreateFileW", (void *)CountRead);
        ASSERT_TRUE(s_pfnCreateFile != NULL);
        s_strCountedFile = ConfigPath();
        s_nFileReads = 0;
    }
    // The month picture shown, by its image id; 0 for none.
    UINT Picture()
    {
        HBITMAP hShown = (HBITMAP)SendMessageW(g_picMonth.GetHwnd(), STM_GETIMAGE, IMAGE_BITMAP, 0);
        return hShown ? s_pictures[hShown] : 0;
    }
    // Everything the four pages show, one line for each control.
    std::wstring AllPages()
    {
        std::wstring str = std::to_wstring(Picture());
        for (HWND h : { g_editStatus.GetHwnd(), g_editWeekAdvice.GetHwnd(), g_editDueDate.GetHwnd(),
                        g_editCountdown.GetHwnd(), g_editCheckups.GetHwnd() })
            str += L"\n" + WindowText(h);
        return str;
    }
    // What the pages show: status line, the advice for the week (by its string id, 0 for none),
    // the month picture (by its image id, 0 for none), the due-date line with the countdown under
    // it, and the prenatal checks.
    void ExpectPages(const wchar_t *pszStatus, UINT nAdvice, UINT nPicture, const wchar_t *pszDue,
                     const wchar_t *pszCountdown, const std::wstring &strCheckups)
    {
        wchar_t szAdvice[2048] = L"";
        EXPECT_TRUE(!nAdvice || LoadStringW(g_pResLib->m_hResModule, nAdvice, szAdvice, ARRAYSIZE(szAdvice)));
        EXPECT_EQ(pszStatus, WindowText(g_editStatus.GetHwnd()));
        EXPECT_EQ(szAdvice, WindowText(g_editWeekAdvice.GetHwnd()));
        EXPECT_EQ(nPicture, Picture());
        EXPECT_EQ(pszDue, WindowText(g_editDueDate.GetHwnd()));
        EXPECT_EQ(pszCountdown, WindowText(g_editCountdown.GetHwnd()));
        EXPECT_EQ(strCheckups, WindowText(g_editCheckups.GetHwnd()));
    }
};

// One refresh after another on the days of a pregnancy, the file changed in between: what each
// shows, and what it keeps of the one before. After a week was shown, a file that gives no date
// in progress looks as on a first start: the prompt, no advice, no picture, no countdown, no check
// marked.
TEST_F(MainPages, EachRefreshShowsTheDayOfThePregnancy)
{
    const wchar_t *DUE_OCT_8 = L"您的预产期: 2010 年 10 月 8 日", *DUE_DEC_6 = L"您的预产期: 2010 年 12 月 6 日";
    const wchar_t *LAST = NULL, *DUE_TODAY = L"今天就是预产期";
    const struct { const char *pszBody; int nMonth, nDay; const wchar_t *pszStatus; UINT nAdvice, nPicture;
                   const wchar_t *pszDue, *pszCountdown; int nCheck; const wchar_t *pszWhere; } DAYS[] = {
        { CONFIG("2010-1-1", "2"), 1, 1, L"今天是您预产期第一天!", 0, 0, DUE_OCT_8, TO_DUE L"280 天", NO_CHECK, TO_FIRST L"42 天" },
        { CONFIG("2010-1-1", "2"), 1, 7, WEEK L"0 周 6 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST, DUE_OCT_8, TO_DUE L"274 天",
          NO_CHECK, TO_FIRST L"36 天" },
        { CONFIG("2010-1-1", "2"), 1, 8, WEEK L"1 周 0 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST, DUE_OCT_8, TO_DUE L"273 天",
          NO_CHECK, TO_FIRST L"35 天" },
        { CONFIG("2010-1-1", "2"), 1, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_OCT_8, TO_DUE L"266 天", NO_CHECK, TO_FIRST L"28 天" },
        { CONFIG("2010-1-1", "2"), 2, 11, WEEK L"5 周 6 天", 107, IDB_MONTH_FIRST, DUE_OCT_8, TO_DUE L"239 天", NO_CHECK, TO_FIRST L"1 天" },
        { CONFIG("2010-1-1", "2"), 2, 12, WEEK L"6 周 0 天", 108, IDB_MONTH_FIRST, DUE_OCT_8, TO_DUE L"238 天", 0,
          L"下次产检: 孕 14–19 周, 还有 56 天" },
        { CONFIG("2010-1-1", "2"), 3, 2, WEEK L"8 周 4 天", 110, 105, DUE_OCT_8, TO_DUE L"220 天", 0, L"下次产检: 孕 14–19 周, 还有 38 天" },
        { CONFIG("2010-1-1", "2"), 3, 27, WEEK L"12 周 1 天", 114, 105, DUE_OCT_8, TO_DUE L"195 天", 0,
          L"下次产检: 孕 14–19 周, 还有 13 天" },
        { CONFIG("2010-1-1", "2"), 4, 9, WEEK L"14 周 0 天", 116, 106, DUE_OCT_8, TO_DUE L"182 天", 1,
          L"下次产检: 孕 20–24 周, 还有 42 天" },
        { CONFIG("2010-1-1", "2"), 10, 7, WEEK L"39 周 6 天", 141, 112, DUE_OCT_8, TO_DUE L"1 天", 6, LAST },
        { CONFIG("2010-1-1", "2"), 10, 8, L"今天是您的预产期!", 141, 112, DUE_OCT_8, DUE_TODAY, 6, LAST },
        { CONFIG("2010-1-1", "2"), 10, 9, L"您已过预产期!" WEEK L"40 周 1 天", 141, 112, DUE_OCT_8, L"已超过预产期 1 天", 6, LAST },
        { CONFIG("2010-1-1", "2"), 10, 22, L"您已过预产期!" WEEK L"42 周 0 天", 141, 112, DUE_OCT_8, L"已超过预产期 14 天",
          NO_CHECK, L"孕 41 周已过, 请遵医嘱" },
        { CONFIG("2010-3-1", "1"), 12, 6, WEEK L"40 周 0 天", 142, 112, L"您的预产期: 2010 年 12 月 8 日", TO_DUE L"2 天", 6, LAST },
        { CONFIG("2010-3-1", "2"), 12, 6, L"今天是您的预产期!", 142, 112, DUE_DEC_6, DUE_TODAY, 6, LAST },
        { "<StartTime>2010-3-1</StartTime>", 3, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_DEC_6, TO_DUE L"266 天",
          NO_CHECK, TO_FIRST L"28 天" },
        { CONFIG("abc", "1"), 3, 15, PROMPT, 0, 0, DUE_DEC_6, L"", NO_CHECK, PROMPT },
        { CONFIG("2010-3-1", "3"), 3, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_DEC_6, TO_DUE L"266 天", NO_CHECK, TO_FIRST L"28 天" },
        { CONFIG("2010-6-1", "2"), 3, 15, PROMPT, 0, 0, L"您的预产期: 2011 年 3 月 8 日", L"", NO_CHECK, PROMPT },
        { CONFIG("2010-1-1", "2"), 3, 15, WEEK L"10 周 3 天", 112, 105, DUE_OCT_8, TO_DUE L"207 天", 0, L"下次产检: 孕 14–19 周, 还有 25 天" },
        { "<CalcMethod>1</CalcMethod>", 3, 15, PROMPT, 0, 0, DUE_OCT_8, L"", NO_CHECK, PROMPT },
        { CONFIG("2010-1-1", "2"), 3, 15, WEEK L"10 周 3 天", 112, 105, DUE_OCT_8, TO_DUE L"207 天", 0, L"下次产检: 孕 14–19 周, 还有 25 天" },
        { NULL, 3, 15, PROMPT, 0, 0, DUE_OCT_8, L"", NO_CHECK, PROMPT },
    };
    FixedToday today(2010, 1, 1);
    ASSERT_TRUE(Start());
    // A first start makes an empty configuration, silently.
    EXPECT_EQ(EMPTY_CONFIG, Stored());
    EXPECT_TRUE(ShownBoxes().empty());
    ExpectPages(PROMPT, 0, 0, L"", L"", Checkups(NO_CHECK, PROMPT));
    UINT nPictureBefore = 0;
    for (const auto &day : DAYS)
    {
        SCOPED_TRACE(testing::Message() << (day.pszBody ? day.pszBody : "no file") << " on 2010-" << day.nMonth
                                        << "-" << day.nDay);
        if (day.pszBody)
            Store(day.pszBody);
        else
            DeleteFileW(ConfigPath().c_str());
        today.Set(2010, day.nMonth, day.nDay);
        s_nPictureLoads = 0;
        Refresh();
        ExpectPages(day.pszStatus, day.nAdvice, day.nPicture, day.pszDue, day.pszCountdown, Checkups(day.nCheck, day.pszWhere));
        // The picture of the month shown already is not decoded again.
        EXPECT_EQ(day.nPicture && day.nPicture != nPictureBefore ? 1 : 0, s_nPictureLoads);
        nPictureBefore = day.nPicture;
    }
    // Without UlvoRes.dll the dates and the countdown still show; the checks' texts are its own.
    g_pResLib->FreeResLibrary();
    Store(CONFIG("2010-1-1", "2"));
    Refresh();
    ExpectPages(WEEK L"10 周 3 天", 0, 0, DUE_OCT_8, TO_DUE L"207 天", L"");
}

// Page 今日 is painted at once, from the one reading of config.xml at start-up; the other pages
// are there once the program's loop has run, filled from that same reading as a reading afresh
// fills them.
TEST_F(MainPages, StartShowsPageTodayFromOneReadingAndTheOtherPagesOnceItsLoopRuns)
{
    const struct { const char *pszBody; const wchar_t *pszStatus; UINT nPicture; } STARTS[] = {
        { CONFIG("2010-1-1", "2"), WEEK L"12 周 1 天", 105 },
        { CONFIG("2009-12-1", "1"), WEEK L"16 周 4 天", 106 },
        { CONFIG("2009-6-20", "2"), L"今天是您的预产期!", 0 },
        { CONFIG("2009-6-1", "2"), L"您已过预产期!" WEEK L"42 周 5 天", 0 },
        { CONFIG("2010-6-1", "2"), PROMPT, 0 },
        { "<CalcMethod>1</CalcMethod>", PROMPT, 0 },
        { NULL, PROMPT, 0 },
    };
    FixedToday today(2010, 3, 27);
    CountFileReads();
    for (const auto &start : STARTS)
    {
        SCOPED_TRACE(start.pszBody ? start.pszBody : "no file");
        if (start.pszBody)
            Store(start.pszBody);
        else
            DeleteFileW(ConfigPath().c_str());
        s_nFileReads = 0;
        ASSERT_TRUE(Start(FIRST_PAINT));
        EXPECT_EQ(start.pszBody ? 1 : 0, s_nFileReads);
        EXPECT_EQ(start.pszStatus, WindowText(g_editStatus.GetHwnd()));
        EXPECT_EQ(start.nPicture, Picture());
        Pump();
        std::wstring strStarted = AllPages();
        Refresh();
        EXPECT_EQ(AllPages(), strStarted);
    }
    // The documents came from a class object the program held; it goes with the window.
    EXPECT_GT(DomClassObjectReferences(), 0);
    Stop();
    EXPECT_EQ(0, DomClassObjectReferences());
}

// What start-up finds in config.xml's place, and what it makes of it.
enum StartKind
{
    USABLE,     // left byte for byte, whatever its attributes
    REPLACED,   // unusable: copied aside, then replaced by an empty configuration
    NO_COPY,    // unusable, and the copy cannot be made: nothing replaced, the user told (as below)
    FOLDER,     // config.xml is a folder: nothing can be made, the user told
};

// Whatever it finds, start-up removes the spare a cut save left, and the window opens.
TEST_F(MainPages, StartUpKeepsUsableFilesAndCopiesUnusableOnesAside)
{
    const std::string USABLE_FILE = ConfigFile("2010-1-1", "2");
    const std::string DECL = USABLE_FILE.substr(0, USABLE_FILE.find("<CONFIG>"));
    std::string strDeep = DECL + "<CONFIG>", strUtf16 = "\xFF\xFE";
    for (int i = 0; i < 200; i++)
        strDeep += "<a>";
    for (char ch : USABLE_FILE)
        strUtf16 += std::string(1, ch) + '\0';
    const struct { const char *pszWhat; std::string strBytes; DWORD dwAttributes; StartKind kind; } FILES[] = {
        { "usable", USABLE_FILE, FILE_ATTRIBUTE_ARCHIVE, USABLE },
        { "read-only", USABLE_FILE, FILE_ATTRIBUTE_READONLY, USABLE },
        { "all three", USABLE_FILE, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, USABLE },
        { "UTF-8 byte-order mark before a GB2312 declaration", "\xEF\xBB\xBF" + USABLE_FILE, 0, REPLACED },
        { "UTF-16 with a GB2312 declaration", strUtf16, 0, REPLACED },
        { "a byte that is no GB2312", DECL + "<CONFIG><Note>\xFF</Note></CONFIG>", 0, REPLACED },
        { "NUL padding after a power loss", USABLE_FILE + std::string(64, '\0'), 0, REPLACED },
        { "cut short", USABLE_FILE.substr(0, 60), 0, REPLACED },
        { "nested deeper than the reader goes", strDeep, 0, REPLACED },
        { "another document element", DECL + "<config><StartTime>2010-1-1</StartTime></config>", 0, REPLACED },
        { "too large to be read", USABLE_FILE + std::string(CONFIG_MAX_BYTES, ' '), 0, REPLACED },
        { "no room for the copy", "\xEF\xBB\xBF" + USABLE_FILE, 0, NO_COPY },
        { "a folder", "", 0, FOLDER },
    };
    const std::wstring strCopy = ConfigPath() + CONFIG_BACKUP_SUFFIX, strSpare = ConfigPath() + CONFIG_TEMP_SUFFIX;
    const std::wstring START_ERROR = ShownBox(L"无法初始化程序！", L"Error", NULL);
    FixedToday today(2010, 1, 15);
    for (const auto &f : FILES)
    {
        SCOPED_TRACE(f.pszWhat);
        SetFileAttributesW(ConfigPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(f.kind == FOLDER ? (DeleteFileW(ConfigPath().c_str()), CreateDirectoryW(ConfigPath().c_str(), NULL))
                                     : WriteWholeFile(ConfigPath(), f.strBytes));
        SetFileAttributesW(ConfigPath().c_str(), f.dwAttributes);
        ASSERT_TRUE(WriteWholeFile(strSpare, "<CONF"));
        ASSERT_TRUE(f.kind == NO_COPY ? (DeleteFileW(strCopy.c_str()), CreateDirectoryW(strCopy.c_str(), NULL))
                                      : WriteWholeFile(strCopy, "an older copy"));
        ASSERT_TRUE(Start());
        EXPECT_EQ(f.kind == REPLACED ? EMPTY_CONFIG : f.strBytes, Stored());
        EXPECT_EQ(f.kind == REPLACED ? f.strBytes : f.kind == NO_COPY ? "" : "an older copy", ReadFileBytes(strCopy));
        EXPECT_FALSE(FileExists(strSpare));
        EXPECT_EQ(std::vector<std::wstring>(f.kind >= NO_COPY, START_ERROR), ShownBoxes());
        EXPECT_TRUE(IsWindowVisible(g_hWndMain));
        EXPECT_EQ(f.kind == USABLE ? WEEK L"2 周 0 天" : PROMPT, WindowText(g_editStatus.GetHwnd()));
        RemoveDirectoryW(strCopy.c_str());
    }
}

TEST_F(MainPages, WindowShowsFourPagesAboveItsMenuBarAndAnswersItsKeys)
{
    FixedToday today(2010, 1, 15);
    Store(CONFIG("2010-1-1", "2"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(g_hWndMain, FindWindowW(L"MAIN", L"Main"));
    EXPECT_EQ(L"退出 菜单", SoftKeys());
    RECT rcWindow, rcBar;
    GetWindowRect(g_hWndMain, &rcWindow);
    GetWindowRect(g_pResLib->m_hwndMenuBar, &rcBar);
    EXPECT_EQ(rcBar.top, rcWindow.bottom);

    HWND hTab = FindDescendant(g_hWndMain, WC_TABCONTROLW);
    EXPECT_EQ(4, TabCtrl_GetItemCount(hTab));
    EXPECT_EQ(L"今日 详情 预产期 产检", TabLabel(hTab, 0) + L" " + TabLabel(hTab, 1) + L" " + TabLabel(hTab, 2) + L" " + TabLabel(hTab, 3));

    // Status, advice, due date, picture, countdown, checks: a notification from any child shows
    // the controls of the page selected, the same again when repeated, and changes nothing
    // without a selection.
    const struct { int nPage; const char *pszVisible; } PAGES[] = {
        { -1, "100100" }, { PAGE_DUE_DATE, "001010" }, { PAGE_DUE_DATE, "001010" }, { PAGE_CHECKUPS, "000001" },
        { PAGE_DETAILS, "010000" }, { PAGE_TODAY, "100100" } };
    for (const auto &page : PAGES)
    {
        TabCtrl_SetCurSel(hTab, page.nPage);
        NMHDR nm = { g_editStatus.GetHwnd(), 0, 0 };
        SendMessageW(g_hWndMain, WM_NOTIFY, 0, (LPARAM)&nm);
        std::string strVisible;
        for (HWND h : { g_editStatus.GetHwnd(), g_editWeekAdvice.GetHwnd(), g_editDueDate.GetHwnd(),
                        g_picMonth.GetHwnd(), g_editCountdown.GetHwnd(), g_editCheckups.GetHwnd() })
            strVisible += IsWindowVisible(h) ? "1" : "0";
        EXPECT_EQ(page.pszVisible, strVisible) << "page " << page.nPage;
    }

    // Each key with the control key held, as the message loop meets it: Ctrl+A is an accelerator
    // that does nothing; Ctrl+Q reaches a text box that has the focus, which ignores it.
    BYTE abKeys[256] = {}, abNone[256] = {};
    abKeys[VK_CONTROL] = 0x80;
    HACCEL hAccel = LoadAcceleratorsW(g_hInstance, MAKEINTRESOURCEW(IDA_MAIN));
    for (HWND hTarget : { g_hWndMain, g_editStatus.GetHwnd() })
    {
        SetKeyboardState(abKeys);
        MSG msg = { hTarget, WM_KEYDOWN, (WPARAM)(hTarget == g_hWndMain ? 'A' : 'Q'), 0, 0, {} };
        EXPECT_TRUE(TranslateAcceleratorW(hTarget, hAccel, &msg));
        SetKeyboardState(abNone);
        Pump();
    }
    EXPECT_TRUE(IsWindowVisible(g_hWndMain));
    EXPECT_EQ(WEEK L"2 周 0 天", WindowText(g_editStatus.GetHwnd()));
}

// What the pages are given: texts and pictures set on any page control since the count began.
static int s_nPageSets = 0;
static std::map<HWND, WNDPROC> s_pageProcs;
static LRESULT CALLBACK CountPageSets(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    s_nPageSets += uMsg == WM_SETTEXT || uMsg == STM_SETIMAGE;
    return CallWindowProcW(s_pageProcs[hWnd], hWnd, uMsg, wParam, lParam);
}

// The timers asked for: window, identifier and delay.
typedef std::tuple<HWND, UINT_PTR, UINT> TimerSet;
static std::vector<TimerSet> s_timersSet;
static UINT_PTR WINAPI RecordTimer(HWND hWnd, UINT_PTR nId, UINT nElapse, TIMERPROC)
{
    s_timersSet.push_back(std::make_tuple(hWnd, nId, nElapse));
    return nId;
}

// Ends the dialog open in this thread when it is dispatched, as a tap on its soft key would.
static LRESULT CALLBACK EndOpenDialog(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_APP)
        for (HWND hDlg : TopLevelWindows(L"#32770", GetCurrentProcessId()))
            if (!GetDlgItem(hDlg, IDC_RADIO_365))
                SendMessageW(hDlg, WM_COMMAND, IDM_DIALOG_OK, 0);
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Main left running while the days go by, the clock pinned at 23:59: each way the date is looked
// at (a dialog that ends among them), with the date moved on (or back) or not. Once the date differs from the one the pages were
// built for, every page shows the new day; otherwise nothing on them is set again. Each look sets
// the one midnight timer again for what is left of the day. The settings dialog, open all along,
// keeps what the user picked in it.
TEST_F(MainPages, PagesFollowTheDateWhileMainRuns)
{
    enum Look { ACTIVATED, CLICKED, DEACTIVATED, TIME_CHANGED, MIDNIGHT, OTHER_TIMER, DIALOG_ENDED };
    const wchar_t *DUE_OCT_8 = L"您的预产期: 2010 年 10 月 8 日", *LAST = NULL;
    const struct { Look look; int nMonth, nDay; bool bBuilt; const wchar_t *pszStatus; UINT nAdvice, nPicture;
                   const wchar_t *pszCountdown; int nCheck; const wchar_t *pszWhere; } LOOKS[] = {
        { ACTIVATED, 3, 15, false, WEEK L"10 周 3 天", 112, 105, TO_DUE L"207 天", 0, L"下次产检: 孕 14–19 周, 还有 25 天" },
        { DEACTIVATED, 3, 27, false, WEEK L"10 周 3 天", 112, 105, TO_DUE L"207 天", 0, L"下次产检: 孕 14–19 周, 还有 25 天" },
        { ACTIVATED, 3, 27, true, WEEK L"12 周 1 天", 114, 105, TO_DUE L"195 天", 0, L"下次产检: 孕 14–19 周, 还有 13 天" },
        { CLICKED, 3, 27, false, WEEK L"12 周 1 天", 114, 105, TO_DUE L"195 天", 0, L"下次产检: 孕 14–19 周, 还有 13 天" },
        { CLICKED, 4, 9, true, WEEK L"14 周 0 天", 116, 106, TO_DUE L"182 天", 1, L"下次产检: 孕 20–24 周, 还有 42 天" },
        { TIME_CHANGED, 4, 9, false, WEEK L"14 周 0 天", 116, 106, TO_DUE L"182 天", 1, L"下次产检: 孕 20–24 周, 还有 42 天" },
        { TIME_CHANGED, 10, 7, true, WEEK L"39 周 6 天", 141, 112, TO_DUE L"1 天", 6, LAST },
        { OTHER_TIMER, 10, 8, false, WEEK L"39 周 6 天", 141, 112, TO_DUE L"1 天", 6, LAST },
        { MIDNIGHT, 10, 8, true, L"今天是您的预产期!", 141, 112, L"今天就是预产期", 6, LAST },
        { MIDNIGHT, 10, 8, false, L"今天是您的预产期!", 141, 112, L"今天就是预产期", 6, LAST },
        { TIME_CHANGED, 3, 27, true, WEEK L"12 周 1 天", 114, 105, TO_DUE L"195 天", 0, L"下次产检: 孕 14–19 周, 还有 13 天" },
        { DIALOG_ENDED, 3, 27, false, WEEK L"12 周 1 天", 114, 105, TO_DUE L"195 天", 0, L"下次产检: 孕 14–19 周, 还有 13 天" },
        { DIALOG_ENDED, 4, 9, true, WEEK L"14 周 0 天", 116, 106, TO_DUE L"182 天", 1, L"下次产检: 孕 20–24 周, 还有 42 天" },
    };
    HWND hEnder = CreateTestWindow(L"UlvoDialogEnder", WS_POPUP, RECT{ 0, 0, 10, 10 }, EndOpenDialog);
    FixedToday today(2010, 3, 15);
    Store(CONFIG("2010-1-1", "2"));
    s_timersSet.clear();
    void *pfnSetTimer = PatchImport(GetModuleHandleW(NULL), "user32.dll", "SetTimer", (void *)RecordTimer);
    ASSERT_TRUE(pfnSetTimer != NULL);
    ASSERT_TRUE(Start());
    for (HWND h : { g_editStatus.GetHwnd(), g_editWeekAdvice.GetHwnd(), g_editDueDate.GetHwnd(), g_picMonth.GetHwnd(),
                    g_editCountdown.GetHwnd(), g_editCheckups.GetHwnd() })
        s_pageProcs[h] = (WNDPROC)SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)CountPageSets);
    Dialog settings(IDD_SETTINGS, SettingsDlgProc);
    SYSTEMTIME stPicked = { 2009, 3, 0, 5, 0, 0, 0, 0 }, stShown = {};
    SendMessageW(FindDescendant(settings, MONTHCAL_CLASSW), MCM_SETCURSEL, 0, (LPARAM)&stPicked);
    settings.Tap(IDC_RADIO_365);
    const UINT nMarks = IsDlgButtonChecked(settings, IDC_RADIO_365);
    // Start-up sets it when the window is made and again when it is first activated.
    ASSERT_FALSE(s_timersSet.empty());
    const UINT_PTR nTimer = std::get<1>(s_timersSet[0]);
    EXPECT_EQ(std::vector<TimerSet>(s_timersSet.size(), std::make_tuple(g_hWndMain, nTimer, 60u * 1000)), s_timersSet);
    for (const auto &l : LOOKS)
    {
        SCOPED_TRACE(testing::Message() << "look " << l.look << " on 2010-" << l.nMonth << "-" << l.nDay);
        today.Set(2010, l.nMonth, l.nDay);
        s_nPageSets = 0;
        s_timersSet.clear();
        switch (l.look)
        {
        case ACTIVATED:    SendMessageW(g_hWndMain, WM_ACTIVATE, WA_ACTIVE, 0); break;
        case CLICKED:      SendMessageW(g_hWndMain, WM_ACTIVATE, WA_CLICKACTIVE, 0); break;
        case DEACTIVATED:  SendMessageW(g_hWndMain, WM_ACTIVATE, WA_INACTIVE, 0); break;
        case TIME_CHANGED: SendMessageW(g_hWndMain, WM_TIMECHANGE, 0, 0); break;
        case MIDNIGHT:     SendMessageW(g_hWndMain, WM_TIMER, nTimer, 0); break;
        case OTHER_TIMER:  SendMessageW(g_hWndMain, WM_TIMER, nTimer + 1, 0); break;
        case DIALOG_ENDED:
            PostMessageW(g_hWndMain, WM_COMMAND, IDM_ABOUT, 0);
            PostMessageW(hEnder, WM_APP, 0, 0);
            break;
        }
        Pump();
        EXPECT_EQ(l.bBuilt, s_nPageSets > 0) << s_nPageSets << " texts and pictures set";
        ExpectPages(l.pszStatus, l.nAdvice, l.nPicture, DUE_OCT_8, l.pszCountdown, Checkups(l.nCheck, l.pszWhere));
        bool bLooked = l.look != DEACTIVATED && l.look != OTHER_TIMER;
        EXPECT_EQ(std::vector<TimerSet>(bLooked, std::make_tuple(g_hWndMain, nTimer, 60u * 1000)), s_timersSet);
    }
    PatchImport(GetModuleHandleW(NULL), "user32.dll", "SetTimer", pfnSetTimer);
    DestroyWindow(hEnder);
    SendMessageW(FindDescendant(settings, MONTHCAL_CLASSW), MCM_GETCURSEL, 0, (LPARAM)&stShown);
    EXPECT_EQ(std::make_tuple(2009, 3, 5), std::make_tuple((int)stShown.wYear, (int)stShown.wMonth, (int)stShown.wDay));
    EXPECT_EQ(nMarks, IsDlgButtonChecked(settings, IDC_RADIO_365));
    EXPECT_TRUE(settings.IsOpen());
}

// A refresh that gives every page the text it shows already leaves each as it is, scrolled
// where she left it; the checks of another day are shown from their top.
TEST_F(MainPages, ARefreshThatChangesNoTextKeepsWhereThePageIsScrolled)
{
    FixedToday today(2010, 3, 15);
    Store(CONFIG("2010-1-1", "2"));
    ASSERT_TRUE(Start());
    Pump();
    ShowPage(PAGE_CHECKUPS);
    HWND hChecks = g_editCheckups.GetHwnd();
    // As tall as on the device's screen, whatever this desktop's is.
    MoveWindow(hChecks, 0, 0, 220, 120, TRUE);
    SendMessageW(hChecks, EM_LINESCROLL, 0, 3);
    const LRESULT nScrolled = SendMessageW(hChecks, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(nScrolled, 0);
    Refresh();
    EXPECT_EQ(nScrolled, SendMessageW(hChecks, EM_GETFIRSTVISIBLELINE, 0, 0));
    today.Set(2010, 3, 27);
    Refresh();
    EXPECT_EQ(0, SendMessageW(hChecks, EM_GETFIRSTVISIBLELINE, 0, 0));
}
