// The Today item in this process, in a Today window of the test's own, and the Today screen
// stand-in hosting items of its own kind. What depends on the screen's density is checked here
// at 96 dots per inch and again in a child run at 192 (the *AtDpi suites).
#include "tests/test_support.h"
#include "tests/stored_settings_cases.h"
#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <aygshell.h>
#include <shlwapi.h>
#include <strsafe.h>
#include "bench/config_files.h"
#include "bench/process_counters.h"
#include "core/shared_names.h"
#include "platform/today/host_layout.h"
#include "platform/today/host_names.h"
#include "platform/today/today_background.h"
#include "platform/today/today_shell.h"
#include "today/item_init.h"
#include "today/item_state.h"
#include "today/item_window.h"
#include "today/status_line.h"

namespace {

const std::wstring MORE = L"\n 更多详情请点击查看";
const std::wstring PAST_DUE = L"今天您已过预产期!";
const std::wstring TWELVE_WEEKS_ONE_DAY = L"今天是您怀孕的孕周: 12 周 1 天";

// The item as the shell starts it, in a Today window as wide as the screen is at this density,
// laid out across it at the height it asks for, reading the test's config.xml.
class Item : public testing::Test
{
protected:
    static void SetUpTestSuite() { ItemProcessAttach(GetModuleHandleW(NULL)); }

    void SetUp() override
    {
        m_hReady = CreateEventW(NULL, TRUE, TRUE, SHELL_API_READY_EVENT);
        SetEvent(m_hReady);
        m_hToday = CreateTestTodayWindow(0, 0, ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()),
                                         ScaleToDpi(SCREEN_CY_NORMAL, ScreenDpi()));
    }

    void TearDown() override
    {
        DestroyWindow(m_hToday);
        CloseHandle(m_hReady);
        g_pfnShellExecuteEx = ShellExecuteExW;
    }

    HWND Start(const std::string &strConfig)
    {
        HWND hItem = InitializeCustomItem(NULL, m_hToday);
        TODAYLISTITEM item;
        ZeroMemory(&item, sizeof(item));
        SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0);
        RECT rc;
        GetClientRect(m_hToday, &rc);
        MoveWindow(hItem, 0, 0, rc.right, (int)item.cyp, FALSE);
        UseConfig(strConfig);
        SendMessageW(hItem, MYMSG_ULVO_REFRESH, 0, 0);
        return hItem;
    }

    void UseConfig(const std::string &strFile)
    {
        std::wstring strPath = m_dir.File(CONFIG_FILE_NAME);
        DeleteFileW(strPath.c_str());
        if (!strFile.empty())
            WriteWholeFile(strPath, strFile);
        StringCchCopyW(g_szXMLFilePath, ARRAYSIZE(g_szXMLFilePath), strPath.c_str());
    }

    // What the item shows: its line, or the prompt.
    static std::wstring Shown() { return g_bFirstDisplay ? std::wstring(SETUP_PROMPT) : std::wstring(g_szShowTxt); }

    // Whether the item asked to be repainted since the last look.
    static bool Repainting(HWND hItem) { return GetUpdateRect(hItem, NULL, FALSE) && ValidateRect(hItem, NULL); }

    void ExpectAsksForItsHeightOnceTheShellIsReady();
    void ExpectPaintsIconAndBothLinesWithNothingCutOff();

    TempDir m_dir;
    HWND m_hToday = NULL;
    HANDLE m_hReady = NULL;
};

class ItemAtDpi : public Item {};

struct LineCase
{
    std::string strFile;
    int nYear, nMonth, nDay;
    const wchar_t *pszLine;     // null: the prompt
};

} // namespace

// Each row after a line by the other method, so that the row's own method and the prompt
// coming back after a line both show.
TEST_F(Item, ShowsTheLineOfEveryStateAndThePromptWithoutADateInProgress)
{
    std::vector<LineCase> cases = {
        { ConfigFile("2010-1-1", "2"), 2010, 3, 27, TWELVE_WEEKS_ONE_DAY.c_str() },
        { ConfigFile("2010-1-1", "2"), 2010, 1, 2, L"今天是您怀孕的孕周: 0 周 1 天" },
        { ConfigFile("2010-1-1", "2"), 2010, 1, 1, L"今天是您预产期第一天" },
        { ConfigFile("2010-1-1", "2"), 2010, 10, 8, L"今天是您的预产期!" },
        { ConfigFile("2010-1-1", "2"), 2010, 10, 9, PAST_DUE.c_str() },
        { ConfigFile("2009-5-20", "1"), 2010, 2, 27, L"今天是您的预产期!" },
        { ConfigFile("2009-5-20", "2"), 2010, 2, 27, PAST_DUE.c_str() },
        { ConfigFile("2009-5-20", NULL), 2010, 2, 24, L"今天是您的预产期!" },
        { ConfigFile("2009-5-20", "3"), 2010, 2, 24, L"今天是您的预产期!" },
        { ConfigFile("2010-6-1", "2"), 2010, 3, 27, NULL },                           // later than today
        { ConfigFile("2010-2-30", "2"), 2010, 3, 27, NULL },                          // not a date
        { "", 2010, 3, 27, NULL },                                                    // no file
        { ConfigXml("<StartTime>2010-1-1"), 2010, 3, 27, NULL },                      // not well formed
        { "<OTHER><StartTime>2010-1-1</StartTime></OTHER>", 2010, 3, 27, NULL },
        { ConfigFile("2010-1-1", "2") + std::string(CONFIG_MAX_BYTES, ' '), 2010, 3, 27, NULL },  // too large
    };
    for (const StoredSettingsCase &c : STORED_SETTINGS_CASES)
        cases.push_back({ ConfigXml(std::string(c.pszBody)), STORED_TODAY, c.pszLine });

    FixedToday today(2010, 1, 1);
    HWND hItem = Start("");
    for (const LineCase &c : cases)
    {
        SCOPED_TRACE(c.strFile.substr(0, 160));
        today.Set(c.nYear, c.nMonth, c.nDay);
        UseConfig(ConfigFile("2009-1-1", "1"));
        SendMessageW(hItem, MYMSG_ULVO_REFRESH, 0, 0);
        ASSERT_EQ(PAST_DUE + MORE, Shown());
        Repainting(hItem);

        UseConfig(c.strFile);
        SendMessageW(hItem, MYMSG_ULVO_REFRESH, 12, 34);
        EXPECT_EQ(c.pszLine ? c.pszLine + MORE : std::wstring(SETUP_PROMPT), Shown());
        EXPECT_TRUE(Repainting(hItem));
    }
}

namespace {

// The timers the item's code asked for: window, period, procedure.
typedef UINT_PTR (WINAPI *PFN_SETTIMER)(HWND, UINT_PTR, UINT, TIMERPROC);
PFN_SETTIMER s_pfnSetTimer;
std::vector<std::tuple<HWND, UINT, TIMERPROC>> s_timers;

UINT_PTR WINAPI RecordSetTimer(HWND hWnd, UINT_PTR nId, UINT nPeriod, TIMERPROC pfnProc)
{
    s_timers.push_back(std::make_tuple(hWnd, nPeriod, pfnProc));
    return s_pfnSetTimer(hWnd, nId, nPeriod, pfnProc);
}

} // namespace

TEST_F(Item, RefreshesEveryTenMinutesAndRepaintsOnlyWhatChanged)
{
    s_pfnSetTimer = (PFN_SETTIMER)PatchImport(GetModuleHandleW(NULL), "user32.dll", "SetTimer", (void *)RecordSetTimer);
    ASSERT_TRUE(s_pfnSetTimer != NULL);
    FixedToday today(2010, 3, 27);
    HWND hItem = Start(ConfigFile("2010-1-1", "2"));
    PatchImport(GetModuleHandleW(NULL), "user32.dll", "SetTimer", (void *)s_pfnSetTimer);
    ASSERT_EQ(1u, s_timers.size());
    EXPECT_EQ(hItem, std::get<0>(s_timers[0]));
    EXPECT_EQ(10u * 60 * 1000, std::get<1>(s_timers[0]));
    TIMERPROC pfnTick = std::get<2>(s_timers[0]);

    Repainting(hItem);
    today.Set(2010, 3, 28);
    pfnTick(hItem, WM_TIMER, 0, 0);
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 2 天" + MORE, Shown());
    EXPECT_TRUE(Repainting(hItem));

    // The prompt taking the line's place is a change; the prompt again is none.
    UseConfig("");
    pfnTick(hItem, WM_TIMER, 0, 0);
    EXPECT_TRUE(Repainting(hItem));
    pfnTick(hItem, WM_TIMER, 0, 0);
    EXPECT_FALSE(Repainting(hItem));
}

void Item::ExpectAsksForItsHeightOnceTheShellIsReady()
{
    HWND hItem = Start("");
    TODAYLISTITEM item;
    ZeroMemory(&item, sizeof(item));
    EXPECT_EQ(0, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, 0));
    ResetEvent(m_hReady);
    EXPECT_EQ(0, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ(0u, item.cyp);
    SetEvent(m_hReady);
    for (LRESULT lAnswer : { 1, 0 })
    {
        EXPECT_EQ(lAnswer, SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
        EXPECT_EQ((DWORD)ScaleToDpi(ITEM_HEIGHT, ScreenDpi()), item.cyp);
    }
}

TEST_F(Item, AsksForItsHeightOnceTheShellIsReady) { ExpectAsksForItsHeightOnceTheShellIsReady(); }
TEST_F(ItemAtDpi, AsksForItsHeightOnceTheShellIsReady) { ExpectAsksForItsHeightOnceTheShellIsReady(); }

namespace {

// The item painted at a height over the Today background: its pixels in the Today text colour,
// the last row they reach, and its pixels of any other colour, in all and left of the text's rectangle.
struct Painted
{
    int nText = 0, yBottom = -1, nOther = 0, nLeftOfText = 0;
};

Painted PaintAt(HWND hItem, int cy)
{
    RECT rc;
    GetClientRect(hItem, &rc);
    int cx = rc.right;
    MoveWindow(hItem, 0, 0, cx, cy, FALSE);
    HDC hdcScreen = GetDC(NULL);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, cx, cy);
    ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    SendMessageW(hItem, WM_ERASEBKGND, (WPARAM)hdc, 0);
    PaintItem(hItem, hdc);
    Painted p;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
        {
            COLORREF cr = GetPixel(hdc, x, y);
            bool bOther = cr != TEST_TODAY_TEXT && cr != TEST_TODAY_BACKGROUND;
            p.nOther += bOther;
            p.nLeftOfText += bOther && x < ScaleToDisplay(ITEM_TEXT_LEFT, AXIS_HORIZONTAL);
            p.nText += cr == TEST_TODAY_TEXT;
            p.yBottom = cr == TEST_TODAY_TEXT ? y : p.yBottom;
        }
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    MoveWindow(hItem, 0, 0, cx, rc.bottom, FALSE);
    return p;
}

} // namespace

// Laid out at the height it asks for, the item shows all it shows given room to spare: the icon
// at the screen's size and both lines of its text, from its top row into its bottom half.
void Item::ExpectPaintsIconAndBothLinesWithNothingCutOff()
{
    FixedToday today(2010, 3, 27);
    HWND hItem = Start(ConfigFile("2010-1-1", "2"));
    ASSERT_EQ(TWELVE_WEEKS_ONE_DAY + MORE, Shown());
    RECT rc;
    GetClientRect(hItem, &rc);
    Painted shown = PaintAt(hItem, rc.bottom);
    Painted roomy = PaintAt(hItem, 3 * rc.bottom);
    EXPECT_GT(shown.nLeftOfText, 0) << "no icon";
    EXPECT_GE(shown.yBottom, rc.bottom / 2) << "one line of text only";
    EXPECT_EQ(roomy.nText, shown.nText) << "text cut off";
    EXPECT_EQ(roomy.nOther, shown.nOther) << "icon cut off";

    ICONINFO ii;
    ASSERT_TRUE(GetIconInfo(g_hIcon, &ii));
    BITMAP bm;
    GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    EXPECT_EQ(ScaleToDpi(ITEM_ICON_SIZE, ScreenDpi()), bm.bmWidth);
}

TEST_F(Item, PaintsIconAndBothLinesInTheTodayTextColour) { ExpectPaintsIconAndBothLinesWithNothingCutOff(); }
TEST_F(ItemAtDpi, PaintsIconAndBothLinesInTheTodayTextColour) { ExpectPaintsIconAndBothLinesWithNothingCutOff(); }

static void ExpectFontFollowsTheLanguageAndTheDensity()
{
    HDC hdc = GetDC(NULL);
    HFONT hFont = CreateItemFont(hdc);
    ReleaseDC(NULL, hdc);
    LOGFONTW lf;
    GetObjectW(hFont, sizeof(lf), &lf);
    DeleteObject(hFont);
    bool bChinese = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_CHINESE;
    // The run says which language its prefix was started in, so neither branch passes unseen.
    const char *pszExpected = getenv("ULVO_EXPECT_LANGUAGE");
    EXPECT_TRUE(!pszExpected || (strcmp(pszExpected, "zh") == 0) == bChinese) << pszExpected;
    bool b192 = ScreenDpi() == 192;
    EXPECT_EQ(bChinese ? (b192 ? -24 : -12) : (b192 ? -21 : -11), lf.lfHeight);
    EXPECT_EQ(bChinese ? FW_NORMAL : FW_BOLD, lf.lfWeight);
}

TEST(ItemFont, FollowsTheLanguageAndTheDensity) { ExpectFontFollowsTheLanguageAndTheDensity(); }
TEST(ItemFontAtDpi, FollowsTheLanguageAndTheDensity) { ExpectFontFollowsTheLanguageAndTheDensity(); }

namespace {

// What the item asked the shell to start: record size, verb, file, and whether it gave anything else.
std::vector<std::wstring> s_started;

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW *p)
{
    bool bMore = p->fMask || p->hwnd || p->lpParameters || p->lpDirectory;
    s_started.push_back(std::to_wstring(p->cbSize) + L" " + (p->lpVerb ? p->lpVerb : L"-") + L" "
                        + (p->lpFile ? p->lpFile : L"-") + (bMore ? L" and more" : L""));
    return TRUE;
}

} // namespace

TEST_F(Item, TapStartsMainBesideTheLibraryWithTheDevicesRecord)
{
    HWND hItem = Start("");
    g_pfnShellExecuteEx = RecordShellExecute;
    SendMessageW(hItem, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    // The record of this build's SDK: the device's 60 bytes in a 32-bit build, which the item asserts.
    std::wstring strRecord = std::to_wstring(sizeof(SHELLEXECUTEINFOW));
    EXPECT_EQ(std::vector<std::wstring>{ strRecord + L" Open " + ExeDir() + L"\\" + MAIN_PROGRAM_NAME }, s_started);
}

// The shell discards an old window after it made a new one: the newest is the one published,
// and the resource library and the DOM's class object stay until the newest goes.
TEST_F(Item, PublishesTheNewestWindowAndKeepsItsLibraryUntilTheNewestGoes)
{
    HWND hFirst = Start("");
    EXPECT_EQ(hFirst, PublishedItemWindow());
    HWND hSecond = InitializeCustomItem(NULL, m_hToday);
    EXPECT_EQ(hSecond, PublishedItemWindow());
    DestroyWindow(hFirst);
    EXPECT_TRUE(GetModuleHandleW(RES_LIBRARY_NAME) != NULL);
    EXPECT_GT(DomClassObjectReferences(), 0);
    DestroyWindow(hSecond);
    EXPECT_TRUE(GetModuleHandleW(RES_LIBRARY_NAME) == NULL);
    EXPECT_EQ(0, DomClassObjectReferences());
}

namespace {

// The component runtime as the item's code reaches it, made to know no XML DOM while s_bNoDom
// holds; its lookups of a class counted.
bool s_bNoDom = false;
int s_nClassLookups = 0;
decltype(&CoGetClassObject) s_pfnGetClassObject = NULL;
decltype(&CoCreateInstance) s_pfnCreateInstance = NULL;

HRESULT WINAPI LookUpClassObject(REFCLSID rclsid, DWORD dwContext, COSERVERINFO *pServer, REFIID riid, LPVOID *ppv)
{
    s_nClassLookups++;
    if (!s_bNoDom)
        return s_pfnGetClassObject(rclsid, dwContext, pServer, riid, ppv);
    *ppv = NULL;
    return REGDB_E_CLASSNOTREG;
}

HRESULT WINAPI LookUpAndCreate(REFCLSID rclsid, LPUNKNOWN pOuter, DWORD dwContext, REFIID riid, LPVOID *ppv)
{
    s_nClassLookups++;
    if (!s_bNoDom)
        return s_pfnCreateInstance(rclsid, pOuter, dwContext, riid, ppv);
    *ppv = NULL;
    return REGDB_E_CLASSNOTREG;
}

struct LookupsWatched
{
    LookupsWatched()
    {
        s_pfnGetClassObject = (decltype(&CoGetClassObject))PatchImport(GetModuleHandleW(NULL), "ole32.dll",
                                                                        "CoGetClassObject", (void *)LookUpClassObject);
        s_pfnCreateInstance = (decltype(&CoCreateInstance))PatchImport(GetModuleHandleW(NULL), "ole32.dll",
                                                                        "CoCreateInstance", (void *)LookUpAndCreate);
    }
    ~LookupsWatched()
    {
        PatchImport(GetModuleHandleW(NULL), "ole32.dll", "CoGetClassObject", (void *)s_pfnGetClassObject);
        PatchImport(GetModuleHandleW(NULL), "ole32.dll", "CoCreateInstance", (void *)s_pfnCreateInstance);
        s_bNoDom = false;
    }
};

} // namespace

// The item asks for the DOM's class when it is made, and its refreshes make their documents from
// what it got, looking up no class. Without a DOM it shows its prompt and asks again at each
// refresh, so that a DOM installed meanwhile serves the next one; a DOM gone after the item was
// made goes on serving it.
TEST_F(Item, MakesItsDocumentsFromTheClassItAskedForOnceAndWithoutADomShowsItsPrompt)
{
    const struct { bool bDomAtStart, bDomLater, bLineAtStart, bLineLater, bLooksUpLater; } CASES[] = {
        { true, true, true, true, false },
        { true, false, true, true, false },
        { false, false, false, false, true },
        { false, true, false, true, true },
    };
    FixedToday today(2010, 3, 27);
    LookupsWatched lookups;
    ASSERT_TRUE(s_pfnGetClassObject && s_pfnCreateInstance);
    const std::wstring LINE = TWELVE_WEEKS_ONE_DAY + MORE;
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(testing::Message() << "DOM at the start " << c.bDomAtStart << ", later " << c.bDomLater);
        s_bNoDom = !c.bDomAtStart;
        HWND hItem = Start(ConfigFile("2010-1-1", "2"));
        EXPECT_EQ(c.bLineAtStart ? LINE : std::wstring(SETUP_PROMPT), Shown());
        s_bNoDom = !c.bDomLater;
        s_nClassLookups = 0;
        for (int i = 0; i < 3; i++)
            SendMessageW(hItem, MYMSG_ULVO_REFRESH, 0, 0);
        EXPECT_EQ(c.bLineLater ? LINE : std::wstring(SETUP_PROMPT), Shown());
        EXPECT_EQ(c.bLooksUpLater, s_nClassLookups > 0);
        DestroyWindow(hItem);
    }
}

TEST(ItemLibrary, ExportsOrdinals240And241WithoutNames)
{
    HMODULE hLib = LoadLibraryW((ExeDir() + L"\\ulvo.dll").c_str());
    ASSERT_TRUE(hLib != NULL);
    EXPECT_TRUE(GetProcAddress(hLib, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM)) != NULL);
    EXPECT_TRUE(GetProcAddress(hLib, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC)) != NULL);
    EXPECT_TRUE(GetProcAddress(hLib, "InitializeCustomItem") == NULL);
    EXPECT_TRUE(GetProcAddress(hLib, "CustomItemOptionsDlgProc") == NULL);
    FreeLibrary(hLib);
}

// --- The Today screen stand-in ------------------------------------------------------------------

namespace {

const wchar_t FAKE_ITEM_DLL[] = L"fake_today_item.dll";

struct HostedItem
{
    const wchar_t *pszName;
    DWORD dwOrder, dwEnabled, dwType, dwFlags;     // flags: the heights it asks for, first and later
};

const HostedItem LOWER = { L"UlvoTestLower", 201, 1, tlitCustom, 50 };
const HostedItem UPPER = { L"UlvoTestUpper", 200, 1, tlitCustom, MAKELONG(30, 45) };
const HostedItem HOSTED_ITEMS[] = {
    LOWER, UPPER, { L"UlvoTestOff", 150, 0, tlitCustom, 20 }, { L"UlvoTestMail", 151, 1, tlitMail, 20 },
};

// Left, top, width and height, in the window's parent.
std::vector<LONG> Box(HWND hWnd)
{
    RECT rc = ChildRect(hWnd);
    return { rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top };
}

void ExpectTodayScreenStacksItsItems()
{
    std::vector<std::unique_ptr<RegisteredTodayItem>> registered;
    for (const HostedItem &h : HOSTED_ITEMS)
    {
        registered.emplace_back(new RegisteredTodayItem(h.pszName, ExeDir() + L"\\" + FAKE_ITEM_DLL, h.dwOrder,
                                                        h.dwEnabled, h.dwType));
        std::wstring strKey = std::wstring(TODAY_ITEMS_KEY) + L"\\" + h.pszName;
        SHSetValueW(HKEY_LOCAL_MACHINE, strKey.c_str(), TODAY_ITEM_FLAGS, REG_DWORD, &h.dwFlags, sizeof(h.dwFlags));
    }
    HWND hFrame = StartTodayShell(GetModuleHandleW(NULL), ScreenDpi() > DESIGN_DPI);
    ASSERT_TRUE(hFrame != NULL);
    HANDLE hReady = OpenEventW(SYNCHRONIZE, FALSE, SHELL_API_READY_EVENT);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hReady, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hReady, 0)) << "readiness taken back";
    CloseHandle(hReady);

    // The same screen at every density: the task bar across its top, the Today window below.
    HWND hToday = FindDescendant(hFrame, HOST_TODAY_CLASS);
    HWND hBar = TopLevelWindows(TASKBAR_CLASS, GetCurrentProcessId()).at(0);
    LONG cx = ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()), cy = ScaleToDpi(SCREEN_CY_NORMAL, ScreenDpi());
    LONG cyBar = Box(hBar)[3];
    EXPECT_EQ((std::vector<LONG>{ 0, 0, cx, cy }), Box(hFrame));
    EXPECT_TRUE(IsWindowVisible(hBar) && cyBar > 0);
    EXPECT_EQ((std::vector<LONG>{ 0, 0, cx, cyBar }), Box(hBar));
    EXPECT_EQ((std::vector<LONG>{ 0, cyBar, cx, cy - cyBar }), Box(hToday));

    // Enabled custom items only, by order, across the Today window at the heights they ask for;
    // a new height at a later poll moves the one below.
    HWND hUpper = FindWindowExW(hToday, NULL, NULL, UPPER.pszName);
    HWND hLower = FindWindowExW(hToday, NULL, NULL, LOWER.pszName);
    int nItems = 0;
    for (HWND h = GetWindow(hToday, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        ++nItems;
    EXPECT_EQ(2, nItems) << "a disabled item or one of another kind hosted";
    for (LONG cyUpper : { LOWORD(UPPER.dwFlags), HIWORD(UPPER.dwFlags) })
    {
        EXPECT_EQ((std::vector<LONG>{ 0, 0, cx, cyUpper }), Box(hUpper));
        EXPECT_EQ((std::vector<LONG>{ 0, cyUpper, cx, LOWORD(LOWER.dwFlags) }), Box(hLower));
        SendMessageW(hToday, WM_TIMER, ITEM_POLL_TIMER, 0);
    }

    // A text colour to read on every row of the background; under an item, the background that
    // lies there in the Today window, not the one at the window's top.
    LONG cyToday = cy - cyBar, yLower = Box(hLower)[1], cyLower = Box(hLower)[3];
    COLORREF crText = (COLORREF)SendMessageW(hToday, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0);
    auto Brightness = [](COLORREF cr) { return GetRValue(cr) + GetGValue(cr) + GetBValue(cr); };
    for (int y = 0; y < cyToday; ++y)
        ASSERT_GT(Brightness(TodayBackgroundAt(y, cyToday)) - Brightness(crText), 3 * 128) << "row " << y;
    HDC hdc = GetDC(hLower);
    TODAYDRAWWATERMARKINFO info = { hdc, RECT{ 0, 0, 1, cyLower }, hLower };
    EXPECT_TRUE(SendMessageW(hToday, TODAYM_DRAWWATERMARK, 0, (LPARAM)&info));
    EXPECT_NE(TodayBackgroundAt(0, cyToday), TodayBackgroundAt(yLower, cyToday));
    EXPECT_EQ(TodayBackgroundAt(yLower, cyToday), GetPixel(hdc, 0, 0));
    EXPECT_EQ(TodayBackgroundAt(yLower + cyLower - 1, cyToday), GetPixel(hdc, 0, cyLower - 1));
    ReleaseDC(hLower, hdc);

    // Closed, the shell destroys the items' windows before it unloads their library.
    DestroyWindow(hFrame);
    EXPECT_FALSE(IsWindow(hUpper));
    EXPECT_TRUE(GetModuleHandleW(FAKE_ITEM_DLL) == NULL);
}

} // namespace

TEST(TodayScreen, StacksItsItemsUnderTheTaskBar) { ExpectTodayScreenStacksItsItems(); }
TEST(TodayScreenAtDpi, StacksItsItemsUnderTheTaskBar) { ExpectTodayScreenStacksItsItems(); }

TEST(Density, ChecksHoldAt192Dpi)
{
    EXPECT_EQ(0, RunSelfAtDpi(192));
}
