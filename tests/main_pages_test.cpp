// The main program in this process: what its pages say over a pregnancy, what start-up makes of
// each config.xml, and what its window shows and answers.
#include "tests/main_test_util.h"
#include <map>
#include "bench/config_files.h"
#include "core/shared_names.h"
#include "main/pages.h"
#include "resources/main_ids.h"
#include "resources/ulvores_ids.h"

#define CONFIG(start, method) "<StartTime>" start "</StartTime><CalcMethod>" method "</CalcMethod>"
#define WEEK L"今天是您怀孕的孕周: "

// Which month picture each bitmap the pages were given is, as the shell's loader made it.
static std::map<HBITMAP, UINT> s_pictures;
static HBITMAP (WINAPI *s_pfnLoadImage)(HINSTANCE, UINT) = NULL;

static HBITMAP WINAPI RecordPicture(HINSTANCE hModule, UINT nId)
{
    HBITMAP hBitmap = s_pfnLoadImage(hModule, nId);
    s_pictures[hBitmap] = nId;
    return hBitmap;
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
    // What the pages show: status line, the advice for the week (by its string id, 0 for none),
    // the month picture (by its image id, 0 for none) and the due-date line.
    void ExpectPages(const wchar_t *pszStatus, UINT nAdvice, UINT nPicture, const wchar_t *pszDue)
    {
        wchar_t szAdvice[2048] = L"";
        EXPECT_TRUE(!nAdvice || LoadStringW(g_pResLib->m_hResModule, nAdvice, szAdvice, ARRAYSIZE(szAdvice)));
        HBITMAP hShown = (HBITMAP)SendMessageW(g_picMonth.GetHwnd(), STM_GETIMAGE, IMAGE_BITMAP, 0);
        EXPECT_EQ(pszStatus, WindowText(g_editStatus.GetHwnd()));
        EXPECT_EQ(szAdvice, WindowText(g_editWeekAdvice.GetHwnd()));
        EXPECT_EQ(nPicture, hShown ? s_pictures[hShown] : 0);
        EXPECT_EQ(pszDue, WindowText(g_editDueDate.GetHwnd()));
    }
};

// One refresh after another on the days of a pregnancy, the file changed in between: what each
// shows, and what it keeps of the one before. After a week was shown, a file that gives no date
// in progress looks as on a first start: the prompt, no advice, no picture.
TEST_F(MainPages, EachRefreshShowsTheDayOfThePregnancy)
{
    const wchar_t *DUE_OCT_8 = L"您的预产期: 2010 年 10 月 8 日", *DUE_DEC_6 = L"您的预产期: 2010 年 12 月 6 日";
    const struct { const char *pszBody; int nMonth, nDay; const wchar_t *pszStatus; UINT nAdvice, nPicture;
                   const wchar_t *pszDue; } DAYS[] = {
        { CONFIG("2010-1-1", "2"), 1, 1, L"今天是您预产期第一天!", 0, 0, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 1, 7, WEEK L"0 周 6 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 1, 8, WEEK L"1 周 0 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 1, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 3, 2, WEEK L"8 周 4 天", 110, 105, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 10, 7, WEEK L"39 周 6 天", 141, 112, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 10, 8, L"今天是您的预产期!", 141, 112, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 10, 9, L"您已过预产期!" WEEK L"40 周 1 天", 141, 112, DUE_OCT_8 },
        { CONFIG("2010-3-1", "1"), 12, 6, WEEK L"40 周 0 天", 142, 112, L"您的预产期: 2010 年 12 月 8 日" },
        { CONFIG("2010-3-1", "2"), 12, 6, L"今天是您的预产期!", 142, 112, DUE_DEC_6 },
        { "<StartTime>2010-3-1</StartTime>", 3, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_DEC_6 },
        { CONFIG("abc", "1"), 3, 15, PROMPT, 0, 0, DUE_DEC_6 },
        { CONFIG("2010-3-1", "3"), 3, 15, WEEK L"2 周 0 天", 104, IDB_MONTH_FIRST, DUE_DEC_6 },
        { CONFIG("2010-6-1", "2"), 3, 15, PROMPT, 0, 0, L"您的预产期: 2011 年 3 月 8 日" },
        { CONFIG("2010-1-1", "2"), 3, 15, WEEK L"10 周 3 天", 112, 105, DUE_OCT_8 },
        { "<CalcMethod>1</CalcMethod>", 3, 15, PROMPT, 0, 0, DUE_OCT_8 },
        { CONFIG("2010-1-1", "2"), 3, 15, WEEK L"10 周 3 天", 112, 105, DUE_OCT_8 },
        { NULL, 3, 15, PROMPT, 0, 0, DUE_OCT_8 },
    };
    FixedToday today(2010, 1, 1);
    ASSERT_TRUE(Start());
    // A first start makes an empty configuration, silently.
    EXPECT_EQ(EMPTY_CONFIG, Stored());
    EXPECT_TRUE(ShownBoxes().empty());
    ExpectPages(PROMPT, 0, 0, L"");
    for (const auto &day : DAYS)
    {
        SCOPED_TRACE(testing::Message() << (day.pszBody ? day.pszBody : "no file") << " on 2010-" << day.nMonth
                                        << "-" << day.nDay);
        if (day.pszBody)
            Store(day.pszBody);
        else
            DeleteFileW(ConfigPath().c_str());
        today.Set(2010, day.nMonth, day.nDay);
        Refresh();
        ExpectPages(day.pszStatus, day.nAdvice, day.nPicture, day.pszDue);
    }
    // Without UlvoRes.dll the dates still show.
    g_pResLib->FreeResLibrary();
    Store(CONFIG("2010-1-1", "2"));
    Refresh();
    ExpectPages(WEEK L"10 周 3 天", 0, 0, DUE_OCT_8);
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

TEST_F(MainPages, WindowShowsThreePagesAboveItsMenuBarAndAnswersItsKeys)
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
    EXPECT_EQ(L"今日 详情 预产期", TabLabel(hTab, 0) + L" " + TabLabel(hTab, 1) + L" " + TabLabel(hTab, 2));

    // Status, advice, due date, picture: a notification from any child shows the controls of the
    // page selected, the same again when repeated, and changes nothing without a selection.
    const struct { int nPage; const char *pszVisible; } PAGES[] = {
        { -1, "1001" }, { PAGE_DUE_DATE, "0010" }, { PAGE_DUE_DATE, "0010" }, { PAGE_DETAILS, "0100" },
        { PAGE_TODAY, "1001" } };
    for (const auto &page : PAGES)
    {
        TabCtrl_SetCurSel(hTab, page.nPage);
        NMHDR nm = { g_editStatus.GetHwnd(), 0, 0 };
        SendMessageW(g_hWndMain, WM_NOTIFY, 0, (LPARAM)&nm);
        std::string strVisible;
        for (HWND h : { g_editStatus.GetHwnd(), g_editWeekAdvice.GetHwnd(), g_editDueDate.GetHwnd(),
                        g_picMonth.GetHwnd() })
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
