#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "today/item_init.h"
#include "today/item_state.h"
#include "today/item_window.h"
#include "today/status_line.h"
#include "core/shared_names.h"
#include "tests/fixed_clock.h"
#include "tests/stored_settings_cases.h"
#include "tests/temp_dir.h"
#include "tests/test_today_window.h"

namespace {

const COLORREF TEXT_COLOUR = TEST_TODAY_TEXT;
const COLORREF BACKGROUND = TEST_TODAY_BACKGROUND;
const wchar_t SHELL_READY[] = L"SYSTEM/ShellAPIReady";

const std::wstring MORE = L"\n 更多详情请点击查看";

std::wstring ModuleDir()
{
    wchar_t sz[MAX_PATH] = { 0 };
    GetModuleFileNameW(NULL, sz, MAX_PATH);
    std::wstring str = sz;
    return str.substr(0, str.rfind(L'\\') + 1);
}

std::string ConfigXml(const char *pszStart, const char *pszMethod)
{
    std::string str = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG>";
    if (pszStart)
        str += std::string("<StartTime>") + pszStart + "</StartTime>";
    if (pszMethod)
        str += std::string("<CalcMethod>") + pszMethod + "</CalcMethod>";
    return str + "</CONFIG>\r\n";
}

DWORD RegisteredWindow()
{
    DWORD dwValue = 0, cb = sizeof(dwValue), dwType = 0;
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    LONG lResult = RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, &dwType, (BYTE *)&dwValue, &cb);
    RegCloseKey(hKey);
    return (lResult == ERROR_SUCCESS && dwType == REG_DWORD && cb == 4) ? dwValue : 0;
}

std::vector<SHELLEXECUTEINFOW> s_started;
std::vector<std::wstring> s_startedFiles, s_startedVerbs;

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW *pInfo)
{
    s_started.push_back(*pInfo);
    s_startedFiles.push_back(pInfo->lpFile ? pInfo->lpFile : L"");
    s_startedVerbs.push_back(pInfo->lpVerb ? pInfo->lpVerb : L"");
    return TRUE;
}

class TodayItem : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        HKEY hKey;
        s_bKeyWasThere = RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS;
        if (s_bKeyWasThere)
            RegCloseKey(hKey);
        ItemProcessAttach(GetModuleHandleW(NULL));
    }

    // The item publishes its window in the prefix's registry; a test leaves it as it found it.
    static void TearDownTestSuite()
    {
        if (!s_bKeyWasThere)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY);
    }

    static bool s_bKeyWasThere;

    void SetUp() override
    {
        m_hReady = CreateEventW(NULL, TRUE, TRUE, SHELL_READY);
        m_hToday = CreateTestTodayWindow(0, 26, 240, 268);
        g_bFirstDisplay = TRUE;
        g_szShowTxt[0] = 0;
        m_strConfig = m_dir.File(L"config.xml");
    }

    void TearDown() override
    {
        DestroyWindow(m_hToday);
        CloseHandle(m_hReady);
        g_pfnShellExecuteEx = ShellExecuteExW;
    }

    // The item as the shell starts it, reading the test's config.xml.
    HWND Start(const std::string &strConfig)
    {
        HWND hItem = InitializeCustomItem(NULL, m_hToday);
        // The item leaves its width to the shell, which lays it out across the Today screen.
        MoveWindow(hItem, 0, 0, 240, ScaleToDisplay(40, AXIS_VERTICAL), FALSE);
        UseConfig(strConfig);
        return hItem;
    }

    void UseConfig(const std::string &strConfig)
    {
        if (strConfig.empty())
            DeleteFileW(m_strConfig.c_str());
        else
            WriteFileBytes(m_strConfig, strConfig);
        wcscpy(g_szXMLFilePath, m_strConfig.c_str());
    }

    std::wstring Line()
    {
        CalculatePragnantTime();
        return g_bFirstDisplay ? std::wstring(SETUP_PROMPT) : std::wstring(g_szShowTxt);
    }

    TempDir m_dir;
    std::wstring m_strConfig;
    HWND m_hToday = NULL;
    HANDLE m_hReady = NULL;
};

bool TodayItem::s_bKeyWasThere = false;

} // namespace

TEST_F(TodayItem, ShowsTheLineForEveryState)
{
    struct { const char *pszStart; const char *pszMethod; int y, m, d; std::wstring strLine; } cases[] = {
        { "2010-1-1",  "2",  2010, 3, 27,  L"今天是您怀孕的孕周: 12 周 1 天" + MORE },
        { "2010-1-1",  "2",  2010, 1, 2,   L"今天是您怀孕的孕周: 0 周 1 天" + MORE },
        { "2010-1-1",  "2",  2010, 1, 1,   L"今天是您预产期第一天" + MORE },
        { "2010-1-1",  "2",  2010, 10, 8,  L"今天是您的预产期!" + MORE },
        { "2010-1-1",  "2",  2010, 10, 9,  L"今天您已过预产期!" + MORE },
        { "2009-5-20", "1",  2010, 2, 27,  L"今天是您的预产期!" + MORE },
        { "2009-5-20", "2",  2010, 2, 27,  L"今天您已过预产期!" + MORE },
        { "2009-5-20", NULL, 2010, 2, 24,  L"今天是您的预产期!" + MORE },
        { "2009-5-20", "3",  2010, 2, 24,  L"今天是您的预产期!" + MORE },
        { "2008-1-1",  "1",  2010, 3, 27,  L"今天您已过预产期!" + MORE },
    };
    Start("");
    FixedToday today(2010, 1, 1);
    for (auto &c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pszStart << " method " << (c.pszMethod ? c.pszMethod : "none")
                                        << " today " << c.y << "-" << c.m << "-" << c.d);
        today.Set(c.y, c.m, c.d);
        UseConfig(ConfigXml(c.pszStart, c.pszMethod));
        EXPECT_EQ(c.strLine, Line());
        EXPECT_FALSE(g_bFirstDisplay);
    }
}

// The same stored texts as the main program's first page and the settings dialog read them.
TEST_F(TodayItem, StoredTextsCountAsEveryReaderCountsThem)
{
    FixedToday today(STORED_TODAY);
    Start("");
    for (const StoredSettingsCase &c : STORED_SETTINGS_CASES)
    {
        SCOPED_TRACE(c.pszBody);
        UseConfig(std::string("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG>") + c.pszBody + "</CONFIG>\r\n");
        EXPECT_EQ(c.pszLine ? c.pszLine + MORE : std::wstring(SETUP_PROMPT), Line());
    }
}

TEST_F(TodayItem, MethodChangeInTheFileTakesEffectAtTheNextComputation)
{
    FixedToday today(2010, 2, 27);
    Start(ConfigXml("2009-5-20", "1"));
    EXPECT_EQ(L"今天是您的预产期!" + MORE, Line());
    UseConfig(ConfigXml("2009-5-20", "2"));
    EXPECT_EQ(L"今天您已过预产期!" + MORE, Line());
    UseConfig(ConfigXml("2009-5-20", NULL));
    EXPECT_EQ(L"今天您已过预产期!" + MORE, Line());
}

TEST_F(TodayItem, KeepsThePromptWithoutAStartDate)
{
    FixedToday today(2010, 3, 27);
    const std::string inputs[] = {
        "",                                                   // no file
        ConfigXml(NULL, "2"),                                  // no StartTime
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG><StartTime>2010-1-1</CONFIG>",
        "<OTHER><StartTime>2010-1-1</StartTime></OTHER>",
    };
    Start("");
    for (const std::string &str : inputs)
    {
        UseConfig(str);
        EXPECT_FALSE(CalculatePragnantTime()) << str;
        EXPECT_TRUE(g_bFirstDisplay) << str;
    }
}

// After a line was shown, a file that gives no date in progress brings the prompt back at the
// next computation, as the main program's first page asks for a date then, and the item
// repaints; a computation that changes nothing repaints nothing.
TEST_F(TodayItem, AfterALineAFileWithoutADateInProgressBringsThePromptBack)
{
    const std::string inputs[] = {
        ConfigXml("2010-6-1", "2"),                            // later than today
        ConfigXml("2010-2-30", "2"),                           // not a date
        ConfigXml(NULL, "2"),                                  // no StartTime
        "",                                                    // no file
        "<OTHER><StartTime>2010-1-1</StartTime></OTHER>",
        ConfigXml("2010-1-1", "2") + std::string(CONFIG_MAX_BYTES, ' '),   // too large to be read
    };
    FixedToday today(2010, 3, 27);
    HWND hItem = Start(ConfigXml("2010-6-1", "2"));
    for (const std::string &str : inputs)
    {
        SCOPED_TRACE(str.substr(0, 80));
        UseConfig(ConfigXml("2010-1-1", "2"));
        ASSERT_EQ(L"今天是您怀孕的孕周: 12 周 1 天" + MORE, Line());
        ValidateRect(hItem, NULL);
        UseConfig(str);
        RefreshTimerProc(hItem, WM_TIMER, 1, 0);
        EXPECT_TRUE(g_bFirstDisplay);
        EXPECT_TRUE(GetUpdateRect(hItem, NULL, FALSE));

        ValidateRect(hItem, NULL);
        UseConfig("");
        SendMessageW(hItem, MYMSG_ULVO_REFRESH, 0, 0);
        EXPECT_FALSE(GetUpdateRect(hItem, NULL, FALSE));
    }
}

TEST_F(TodayItem, AsksForItsHeightOnceWhenTheShellIsReady)
{
    HWND hItem = Start("");
    EXPECT_EQ(0, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, 0));

    TODAYLISTITEM item;
    ZeroMemory(&item, sizeof(item));
    ResetEvent(m_hReady);
    EXPECT_EQ(0, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ(0u, item.cyp);

    SetEvent(m_hReady);
    EXPECT_EQ(1, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ((DWORD)ScaleToDisplay(40, AXIS_VERTICAL), item.cyp);
    EXPECT_EQ(0, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ((DWORD)ScaleToDisplay(40, AXIS_VERTICAL), item.cyp);
}

// (The desktop makes a CW_USEDEFAULT child 0 x 0 whatever height it asks for; the height the
// shell lays it out at is the one it reports, checked above.)
TEST_F(TodayItem, IsCreatedAsAChildOfTheTodayWindow)
{
    HWND hItem = InitializeCustomItem(NULL, m_hToday);
    EXPECT_EQ(m_hToday, GetParent(hItem));
    EXPECT_EQ(WS_CHILD | WS_VISIBLE, GetWindowLongW(hItem, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_POPUP));
    wchar_t szClass[32] = { 0 }, szTitle[32] = { 0 };
    GetClassNameW(hItem, szClass, 32);
    GetWindowTextW(hItem, szTitle, 32);
    EXPECT_STREQ(L"Ulvo", szClass);
    EXPECT_STREQ(L"Ulvo", szTitle);
}

TEST_F(TodayItem, RefreshMessageAndTimerRecomputeAndRepaint)
{
    FixedToday today(2010, 3, 27);
    HWND hItem = Start(ConfigXml("2010-1-1", "2"));
    CalculatePragnantTime();
    ValidateRect(hItem, NULL);

    UseConfig(ConfigXml("2010-1-2", "2"));
    SendMessageW(hItem, MYMSG_ULVO_REFRESH, 12, 34);
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 0 天" + MORE, std::wstring(g_szShowTxt));
    EXPECT_TRUE(GetUpdateRect(hItem, NULL, FALSE));

    ValidateRect(hItem, NULL);
    today.Set(2010, 3, 28);
    RefreshTimerProc(hItem, WM_TIMER, 1, 0);
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 1 天" + MORE, std::wstring(g_szShowTxt));
    EXPECT_TRUE(GetUpdateRect(hItem, NULL, FALSE));

}

TEST_F(TodayItem, TapStartsMainBesideTheLibrary)
{
    HWND hItem = Start("");
    s_started.clear();
    s_startedFiles.clear();
    s_startedVerbs.clear();
    g_pfnShellExecuteEx = RecordShellExecute;
    SetCurrentDirectoryW(m_dir.Path().c_str());

    SendMessageW(hItem, WM_LBUTTONUP, 0, MAKELPARAM(100, 20));

    ASSERT_EQ(1u, s_started.size());
    EXPECT_EQ(60u, s_started[0].cbSize);
    EXPECT_EQ(L"Open", s_startedVerbs[0]);
    EXPECT_EQ(ModuleDir() + L"Main.exe", s_startedFiles[0]);
    EXPECT_EQ(0u, s_started[0].fMask);
    EXPECT_EQ(NULL, s_started[0].lpParameters);
    EXPECT_EQ(NULL, s_started[0].lpDirectory);
    EXPECT_EQ(NULL, s_started[0].hwnd);
}

TEST_F(TodayItem, PublishesTheNewestWindowAndGivesBackWhatEarlierStartsLoaded)
{
    HWND hFirst = Start("");
    EXPECT_EQ((DWORD)(ULONG_PTR)hFirst, RegisteredWindow());
    std::wstring strPath = ModuleDir() + L"config.xml";
    HWND hFirstParent = GetParent(hFirst);
    EXPECT_EQ(m_hToday, hFirstParent);
    HICON hFirstIcon = g_hIcon;
    ASSERT_NE((HICON)NULL, hFirstIcon);
    ICONINFO ii;
    ASSERT_TRUE(GetIconInfo(hFirstIcon, &ii));
    BITMAP bm;
    GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(ScaleToDisplay(16, AXIS_HORIZONTAL), bm.bmWidth);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);

    HWND hSecond = InitializeCustomItem(NULL, m_hToday);
    EXPECT_NE(hFirst, hSecond);
    EXPECT_EQ((DWORD)(ULONG_PTR)hSecond, RegisteredWindow());
    EXPECT_EQ(strPath, std::wstring(g_szXMLFilePath));
    EXPECT_NE((HICON)NULL, g_hIcon);

    // The shell discards the old window after making the new one: the item keeps its library.
    DestroyWindow(hFirst);
    EXPECT_NE((HMODULE)NULL, GetModuleHandleW(L"UlvoRes.dll"));
    DestroyWindow(hSecond);
    EXPECT_EQ((HMODULE)NULL, GetModuleHandleW(L"UlvoRes.dll"));
}

TEST_F(TodayItem, OptionsProcedureAnswersTrueToEverything)
{
    EXPECT_TRUE(CustomItemOptionsDlgProc(NULL, WM_INITDIALOG, 0, 0));
    EXPECT_TRUE(CustomItemOptionsDlgProc((HWND)1, WM_COMMAND, 7, 9));
}

TEST_F(TodayItem, PaintsIconAndBothLinesInTheTodayTextColour)
{
    FixedToday today(2010, 3, 27);
    HWND hItem = Start(ConfigXml("2010-1-1", "2"));
    CalculatePragnantTime();
    RECT rc;
    GetWindowRect(hItem, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;

    HDC hdcScreen = GetDC(NULL);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, cx, cy);
    ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    SendMessageW(hItem, WM_ERASEBKGND, (WPARAM)hdc, 0);
    PaintItem(hItem, hdc);

    // Text pixels: right of the icon column, in rows of both lines, never below the item.
    int nFirstRow = -1, nLastRow = -1, nIconPixels = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
        {
            COLORREF c = GetPixel(hdc, x, y);
            if (c == TEXT_COLOUR && x >= ScaleToDisplay(40, AXIS_HORIZONTAL))
            {
                if (nFirstRow < 0)
                    nFirstRow = y;
                nLastRow = y;
            }
            if (x < ScaleToDisplay(40, AXIS_HORIZONTAL) && c != BACKGROUND)
                ++nIconPixels;
        }
    EXPECT_GE(nFirstRow, ScaleToDisplay(2, AXIS_VERTICAL));
    EXPECT_GT(nIconPixels, 20);

    // Both lines as the item lays them out fit inside its height.
    HFONT hFont = CreateItemFont(hdc);
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    RECT rcCalc = { ScaleToDisplay(40, AXIS_HORIZONTAL), ScaleToDisplay(2, AXIS_VERTICAL), cx, cy };
    int nTextHeight = DrawTextW(hdc, g_szShowTxt, -1, &rcCalc, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    TEXTMETRICW tm;
    GetTextMetricsW(hdc, &tm);
    SelectObject(hdc, hOldFont);
    DeleteObject(hFont);
    EXPECT_GE(nTextHeight, 2 * tm.tmHeight);
    EXPECT_LE(rcCalc.bottom, cy);
    EXPECT_GT(nLastRow, ScaleToDisplay(2, AXIS_VERTICAL) + tm.tmHeight);   // a second line was drawn

    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
}

TEST(TodayItemFont, FollowsTheDefaultLanguageAndDensity)
{
    HDC hdc = GetDC(NULL);
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    HFONT hFont = CreateItemFont(hdc);
    ReleaseDC(NULL, hdc);
    LOGFONTW lf;
    GetObjectW(hFont, sizeof(lf), &lf);
    DeleteObject(hFont);
    int nPrimary = GetUserDefaultLangID() & 0x3FF;
    const char *pszExpected = getenv("ULVO_EXPECT_LANGUAGE");
    if (pszExpected)
    {
        EXPECT_EQ(strcmp(pszExpected, "zh") == 0, nPrimary == LANG_CHINESE) << "language " << nPrimary;
    }
    if (nPrimary == LANG_CHINESE)
    {
        EXPECT_EQ(nDpi == 192 ? -24 : -12, lf.lfHeight);
        EXPECT_EQ(400, lf.lfWeight);
    }
    else
    {
        EXPECT_EQ(nDpi == 192 ? -21 : -11, lf.lfHeight);
        EXPECT_EQ(700, lf.lfWeight);
    }
}

TEST(TodayItemLibrary, ExportsOrdinals240And241WithoutNames)
{
    HMODULE hLib = LoadLibraryW(L"ulvo.dll");
    ASSERT_NE((HMODULE)NULL, hLib);
    EXPECT_NE((FARPROC)NULL, GetProcAddress(hLib, (LPCSTR)MAKEINTRESOURCEA(240)));
    EXPECT_NE((FARPROC)NULL, GetProcAddress(hLib, (LPCSTR)MAKEINTRESOURCEA(241)));
    EXPECT_EQ((FARPROC)NULL, GetProcAddress(hLib, "InitializeCustomItem"));
    EXPECT_EQ((FARPROC)NULL, GetProcAddress(hLib, "CustomItemOptionsDlgProc"));
    typedef BOOL (WINAPI *PFN_OPTIONS)(HWND, UINT, WPARAM, LPARAM);
    PFN_OPTIONS pfnOptions = (PFN_OPTIONS)(void *)GetProcAddress(hLib, (LPCSTR)MAKEINTRESOURCEA(241));
    if (pfnOptions)
    {
        EXPECT_TRUE(pfnOptions(NULL, WM_COMMAND, 0, 0));
    }
    FreeLibrary(hLib);
}
