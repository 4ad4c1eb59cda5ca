// The main program in this process: what its three pages say for each stored setting and
// each day, which controls each page shows, where they sit, and how start-up treats
// config.xml.
#include "main/main_globals.h"
#include "main/main_window.h"
#include "main/message_box.h"
#include "main/pages.h"
#include "main/status_texts.h"
#include "main/tab_control.h"
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "resources/main_ids.h"
#include "resources/ulvores_ids.h"
#include "tests/fixed_clock.h"
#include "tests/stored_settings_cases.h"
#include "tests/temp_dir.h"
#include <aygshell.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

static const wchar_t PROMPT[] = L"请设置怀孕开始时间";

static std::string ConfigBytes(const char *pszStart, const char *pszMethod)
{
    std::string s = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG>";
    if (pszStart)
        s += std::string("<StartTime>") + pszStart + "</StartTime>";
    if (pszMethod)
        s += std::string("<CalcMethod>") + pszMethod + "</CalcMethod>";
    return s + "</CONFIG>\r\n";
}

static std::wstring WindowText(HWND hWnd)
{
    wchar_t sz[2048] = L"";
    SendMessageW(hWnd, WM_GETTEXT, ARRAYSIZE(sz), (LPARAM)sz);
    return sz;
}

static bool HasVisibleStyle(HWND hWnd)
{
    return hWnd && (GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

static std::wstring AdviceText(UINT nId)
{
    HMODULE hRes = LoadLibraryExW(L"UlvoRes.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t sz[2048] = L"";
    if (hRes)
    {
        LoadStringW(hRes, nId, sz, ARRAYSIZE(sz));
        FreeLibrary(hRes);
    }
    return sz;
}

// The pixels of a bitmap as 32-bit rows, for telling one month picture from another.
static std::vector<BYTE> BitmapPixels(HBITMAP hBitmap)
{
    std::vector<BYTE> bytes;
    BITMAP bm;
    if (!hBitmap || !GetObjectW(hBitmap, sizeof(bm), &bm))
        return bytes;
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bytes.resize((size_t)bm.bmWidth * bm.bmHeight * 4);
    HDC hdc = GetDC(NULL);
    GetDIBits(hdc, hBitmap, 0, bm.bmHeight, bytes.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(NULL, hdc);
    return bytes;
}

static std::vector<BYTE> MonthPicturePixels(UINT nId)
{
    HMODULE hRes = LoadLibraryW(L"UlvoRes.dll");
    HBITMAP hBitmap = hRes ? SHLoadImageResource(hRes, nId) : NULL;
    std::vector<BYTE> bytes = BitmapPixels(hBitmap);
    if (hBitmap)
        DeleteObject(hBitmap);
    if (hRes)
        FreeLibrary(hRes);
    return bytes;
}

static std::vector<BYTE> ShownPicturePixels()
{
    return BitmapPixels((HBITMAP)SendMessageW(g_picMonth.GetHwnd(), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// A host window holding the tab control and its pages, as the main window holds them.
class PageHost
{
public:
    PageHost(int nWidth, int nHeight)
    {
        m_hWnd = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, nWidth, nHeight,
                                 NULL, NULL, GetModuleHandleW(NULL), NULL);
        m_tab.Prepare(m_hWnd, GetModuleHandleW(NULL));
        m_tab.Create(WS_CHILD | WS_VISIBLE, 0, 0, TAB_MODE_MAIN, nWidth, nHeight);
        BuildPages(&m_tab, GetModuleHandleW(NULL));
    }
    ~PageHost() { DestroyWindow(m_hWnd); }
    TabControl &Tab() { return m_tab; }

private:
    HWND m_hWnd;
    TabControl m_tab;
};

// ---------------------------------------------------------------------------------------
// The texts of the three pages.

class MainTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        g_PregnancyCalendar = PregnancyCalendar();
        g_szStatusTxt[0] = 0;
        g_bStartTimeSet = 0;
        g_nScaleShift = 0;
        ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
        wcsncpy(g_szXMLFilePath, m_dir.File(L"config.xml").c_str(), MAX_PATH - 1);
        g_pConfig = new ConfigDocument;
        g_pResLib = new ResourceLibrary;
        ASSERT_EQ(1, g_pResLib->LoadResLibrary(L"UlvoRes.dll"));
        m_pHost = new PageHost(240, 268);
    }
    void TearDown() override
    {
        delete m_pHost;
        g_pResLib->FreeResLibrary();
        delete g_pResLib;
        g_pResLib = NULL;
        delete g_pConfig;
        g_pConfig = NULL;
        CoUninitialize();
    }

    void Store(const char *pszStart, const char *pszMethod)
    {
        ASSERT_TRUE(WriteFileBytes(m_dir.File(L"config.xml"), ConfigBytes(pszStart, pszMethod)));
    }
    // One refresh on the given day, as the main window runs it.
    void RefreshOn(int nYear, int nMonth, int nDay)
    {
        FixedToday today(nYear, nMonth, nDay);
        GetStartTime();
    }

    std::wstring Status() { return WindowText(g_editStatus.GetHwnd()); }
    std::wstring Advice() { return WindowText(g_editWeekAdvice.GetHwnd()); }
    std::wstring DueDate() { return WindowText(g_editDueDate.GetHwnd()); }

    TempDir m_dir;
    PageHost *m_pHost = NULL;
};

struct DayCase
{
    int nYear, nMonth, nDay;
    const wchar_t *pszStatus;
    UINT nAdviceId;     // 0: the advice page stays empty
    UINT nPictureId;    // 0: no picture shown
};

TEST_F(MainTexts, EachDayOfAPregnancyFromTheStartDate)
{
    // 2010-1-1 counted by 280 days: due on 2010-10-8.
    const DayCase aCases[] = {
        { 2010, 1, 1,  L"今天是您预产期第一天!", 0, 0 },
        { 2010, 1, 7,  L"今天是您怀孕的孕周: 0 周 6 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST },
        { 2010, 1, 8,  L"今天是您怀孕的孕周: 1 周 0 天", IDS_ADVICE_FIRST, IDB_MONTH_FIRST },
        { 2010, 1, 15, L"今天是您怀孕的孕周: 2 周 0 天", 104, IDB_MONTH_FIRST },
        { 2010, 3, 2,  L"今天是您怀孕的孕周: 8 周 4 天", 110, 105 },
        { 2010, 10, 7, L"今天是您怀孕的孕周: 39 周 6 天", 141, 112 },
    };
    for (const DayCase &c : aCases)
    {
        SCOPED_TRACE(testing::Message() << c.nYear << "-" << c.nMonth << "-" << c.nDay);
        TearDown();
        SetUp();
        Store("2010-1-1", "2");
        RefreshOn(c.nYear, c.nMonth, c.nDay);
        EXPECT_EQ(c.pszStatus, Status());
        EXPECT_EQ(c.nAdviceId ? AdviceText(c.nAdviceId) : std::wstring(), Advice());
        if (c.nPictureId)
            EXPECT_EQ(MonthPicturePixels(c.nPictureId), ShownPicturePixels());
        else
            EXPECT_TRUE(ShownPicturePixels().empty());
        EXPECT_EQ(L"您的预产期: 2010 年 10 月 8 日", DueDate());
    }
}

TEST_F(MainTexts, TwoPicturesDiffer)
{
    // Guards the picture comparisons above against pictures that all look alike.
    EXPECT_NE(MonthPicturePixels(IDB_MONTH_FIRST), MonthPicturePixels(105));
    EXPECT_NE(AdviceText(IDS_ADVICE_FIRST), AdviceText(104));
}

TEST_F(MainTexts, DueDayKeepsTheLastAdviceAndPicture)
{
    Store("2010-1-1", "2");
    RefreshOn(2010, 10, 7);
    RefreshOn(2010, 10, 8);
    EXPECT_EQ(L"今天是您的预产期!", Status());
    EXPECT_EQ(AdviceText(141), Advice());
    EXPECT_EQ(MonthPicturePixels(112), ShownPicturePixels());
    EXPECT_EQ(L"您的预产期: 2010 年 10 月 8 日", DueDate());
}

TEST_F(MainTexts, DayAfterTheDueDayCountsOn)
{
    Store("2010-1-1", "2");
    RefreshOn(2010, 10, 9);
    EXPECT_EQ(L"您已过预产期!今天是您怀孕的孕周: 40 周 1 天", Status());
    EXPECT_EQ(L"", Advice());
    EXPECT_EQ(L"您的预产期: 2010 年 10 月 8 日", DueDate());
}

TEST_F(MainTexts, MethodChangedBetweenRefreshesTakesEffect)
{
    // From 2010-3-1 nine months and seven days end on 12-8, 280 days on 12-6.
    Store("2010-3-1", "1");
    RefreshOn(2010, 12, 6);
    EXPECT_EQ(L"今天是您怀孕的孕周: 40 周 0 天", Status());
    EXPECT_EQ(L"您的预产期: 2010 年 12 月 8 日", DueDate());

    Store("2010-3-1", "2");
    RefreshOn(2010, 12, 6);
    EXPECT_EQ(L"今天是您的预产期!", Status());
    EXPECT_EQ(L"您的预产期: 2010 年 12 月 6 日", DueDate());
}

TEST_F(MainTexts, MethodOtherThanOneOrMissingCountsBy280Days)
{
    for (const char *pszMethod : { "2", "3", "", (const char *)NULL })
    {
        Store("2010-3-1", pszMethod);
        RefreshOn(2010, 12, 6);
        EXPECT_EQ(L"今天是您的预产期!", Status()) << (pszMethod ? pszMethod : "(none)");
    }
}

// The same stored texts as the Today item and the settings dialog read them.
TEST_F(MainTexts, StoredTextsCountAsEveryReaderCountsThem)
{
    for (const StoredSettingsCase &c : STORED_SETTINGS_CASES)
    {
        SCOPED_TRACE(c.pszBody);
        ASSERT_TRUE(WriteFileBytes(m_dir.File(L"config.xml"),
            std::string("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG>") + c.pszBody + "</CONFIG>\r\n"));
        g_szStatusTxt[0] = 0;
        RefreshOn(STORED_TODAY);
        EXPECT_EQ(c.pszLine ? c.pszLine : PROMPT, Status());
    }
}

TEST_F(MainTexts, FutureStartDateAsksForOneWhenNothingWasShown)
{
    Store("2010-6-1", "2");
    RefreshOn(2010, 3, 1);
    EXPECT_EQ(PROMPT, Status());
    EXPECT_EQ(L"", Advice());
    EXPECT_EQ(L"您的预产期: 2011 年 3 月 8 日", DueDate());
}

// After a week was shown, a file that no longer gives a date in progress shows what a first
// start with it shows: the prompt, no advice, no picture. The due date follows a start still to
// come; a text that is no date leaves the due date that was shown, not one recomputed from an
// older start with the new method (counted by nine months 2010-3-1 would be due on 12-8).
TEST_F(MainTexts, NoDateInProgressAfterAWeekLooksLikeAFirstStart)
{
    struct { const char *pszStart; const char *pszMethod; const wchar_t *pszDueDate; } const CASES[] = {
        { "2010-6-1", "2", L"您的预产期: 2011 年 3 月 8 日" },
        { "abc", "1", L"您的预产期: 2010 年 12 月 6 日" },
        { "2010-13-1", "1", L"您的预产期: 2010 年 12 月 6 日" },
        { "2010/1/1", "1", L"您的预产期: 2010 年 12 月 6 日" },
        { "", "1", L"您的预产期: 2010 年 12 月 6 日" },
        { NULL, NULL, L"您的预产期: 2010 年 12 月 6 日" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszStart ? c.pszStart : "(no StartTime)");
        TearDown();
        SetUp();
        Store("2010-3-1", "2");
        RefreshOn(2010, 3, 15);
        ASSERT_EQ(L"今天是您怀孕的孕周: 2 周 0 天", Status());
        ASSERT_FALSE(ShownPicturePixels().empty());
        Store(c.pszStart, c.pszMethod);
        RefreshOn(2010, 3, 15);
        EXPECT_EQ(PROMPT, Status());
        EXPECT_EQ(L"", Advice());
        EXPECT_TRUE(ShownPicturePixels().empty());
        EXPECT_EQ(c.pszDueDate, DueDate());
    }
}

TEST_F(MainTexts, NoSettingsAsksForAStartDate)
{
    // No file, no StartTime, a file that does not parse, no configuration object at all.
    RefreshOn(2010, 3, 1);
    EXPECT_EQ(PROMPT, Status());
    EXPECT_EQ(L"", Advice());
    EXPECT_EQ(L"", DueDate());

    Store(NULL, "1");
    RefreshOn(2010, 3, 1);
    EXPECT_EQ(PROMPT, Status());

    ASSERT_TRUE(WriteFileBytes(m_dir.File(L"config.xml"), "<CONFIG><StartTime>2010-1-1"));
    RefreshOn(2010, 3, 1);
    EXPECT_EQ(PROMPT, Status());

    delete g_pConfig;
    g_pConfig = NULL;
    RefreshOn(2010, 3, 1);
    EXPECT_EQ(PROMPT, Status());
    EXPECT_EQ(L"", DueDate());
}

TEST_F(MainTexts, WithoutTheResourceLibraryTheDatesStillShow)
{
    g_pResLib->FreeResLibrary();
    Store("2010-1-1", "2");
    RefreshOn(2010, 1, 15);
    EXPECT_EQ(L"今天是您怀孕的孕周: 2 周 0 天", Status());
    EXPECT_EQ(L"", Advice());
    EXPECT_TRUE(ShownPicturePixels().empty());
    EXPECT_EQ(L"您的预产期: 2010 年 10 月 8 日", DueDate());
}

// ---------------------------------------------------------------------------------------
// Pages: which controls each shows, and where they sit.

class MainPages : public ::testing::Test
{
protected:
    void SetUp() override { g_nScaleShift = 0; }
    void TearDown() override { g_nScaleShift = 0; }
};

static std::string Visible()
{
    std::string s;
    s += HasVisibleStyle(g_editStatus.GetHwnd()) ? "S" : "-";
    s += HasVisibleStyle(g_picMonth.GetHwnd()) ? "P" : "-";
    s += HasVisibleStyle(g_editWeekAdvice.GetHwnd()) ? "A" : "-";
    s += HasVisibleStyle(g_editDueDate.GetHwnd()) ? "D" : "-";
    return s;
}

TEST_F(MainPages, LabelsAreTodayDetailsDueDate)
{
    PageHost host(240, 268);
    HWND hTab = host.Tab().GetHwnd();
    ASSERT_EQ(3, (int)SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0));
    const wchar_t *apszLabels[] = { L"今日", L"详情", L"预产期" };
    for (int i = 0; i < 3; ++i)
    {
        wchar_t sz[32] = L"";
        TCITEMW item;
        ZeroMemory(&item, sizeof(item));
        item.mask = TCIF_TEXT;
        item.pszText = sz;
        item.cchTextMax = ARRAYSIZE(sz);
        SendMessageW(hTab, TCM_GETITEMW, i, (LPARAM)&item);
        EXPECT_STREQ(apszLabels[i], sz);
    }
    EXPECT_EQ(0, host.Tab().GetCurSel());
}

TEST_F(MainPages, EachPageShowsItsOwnControls)
{
    PageHost host(240, 268);
    EXPECT_EQ("SP--", Visible());

    const struct { int nPage; const char *pszVisible; } aSteps[] = {
        { 1, "--A-" }, { 2, "---D" }, { 0, "SP--" }, { 2, "---D" }, { 1, "--A-" },
        { 1, "--A-" }, { -1, "--A-" }, { 3, "--A-" }, { 0, "SP--" }, { 0, "SP--" },
    };
    for (const auto &step : aSteps)
    {
        ShowPage(step.nPage);
        EXPECT_EQ(step.pszVisible, Visible()) << "page " << step.nPage;
    }
}

static RECT RectInTab(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MapWindowPoints(NULL, GetParent(hWnd), (POINT *)&rc, 2);
    return rc;
}

static void ExpectRect(HWND hWnd, int x, int y, int cx, int cy)
{
    RECT rc = RectInTab(hWnd);
    EXPECT_EQ(x, rc.left);
    EXPECT_EQ(y, rc.top);
    EXPECT_EQ(cx, rc.right - rc.left);
    EXPECT_EQ(cy, rc.bottom - rc.top);
}

TEST_F(MainPages, LayoutAt96Dpi)
{
    PageHost host(240, 268);
    RECT rcTab;
    GetClientRect(host.Tab().GetHwnd(), &rcTab);
    int W = rcTab.right, H = rcTab.bottom;
    ASSERT_EQ(240, W);
    ASSERT_EQ(268, H);
    { SCOPED_TRACE("status");   ExpectRect(g_editStatus.GetHwnd(), 10, 30, W - 20, 40); }
    { SCOPED_TRACE("advice");   ExpectRect(g_editWeekAdvice.GetHwnd(), 10, 30, W - 10, H - 35); }
    { SCOPED_TRACE("picture");  ExpectRect(g_picMonth.GetHwnd(), 10, 75, W - 10, H - 80); }
    { SCOPED_TRACE("due date"); ExpectRect(g_editDueDate.GetHwnd(), 5, 100, W - 10, 50); }

    LONG lStatusStyle = GetWindowLongW(g_editStatus.GetHwnd(), GWL_STYLE);
    EXPECT_EQ(ES_CENTER, lStatusStyle & (ES_CENTER | ES_RIGHT));
    EXPECT_TRUE(lStatusStyle & ES_MULTILINE);
    EXPECT_FALSE(lStatusStyle & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongW(g_editWeekAdvice.GetHwnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(SS_BITMAP, GetWindowLongW(g_picMonth.GetHwnd(), GWL_STYLE) & SS_TYPEMASK);
    EXPECT_TRUE(GetWindowLongW(g_editDueDate.GetHwnd(), GWL_STYLE) & ES_WANTRETURN);
}

TEST_F(MainPages, LayoutAt192DpiDoublesTheDesignedLengthsOnly)
{
    g_nScaleShift = 1;
    PageHost host(480, 536);
    RECT rcTab;
    GetClientRect(host.Tab().GetHwnd(), &rcTab);
    int W = rcTab.right, H = rcTab.bottom;
    ASSERT_EQ(480, W);
    ASSERT_EQ(536, H);
    { SCOPED_TRACE("status");   ExpectRect(g_editStatus.GetHwnd(), 20, 60, W - 40, 80); }
    { SCOPED_TRACE("advice");   ExpectRect(g_editWeekAdvice.GetHwnd(), 20, 60, W - 20, H - 70); }
    { SCOPED_TRACE("picture");  ExpectRect(g_picMonth.GetHwnd(), 20, 150, W - 20, H - 160); }
    { SCOPED_TRACE("due date"); ExpectRect(g_editDueDate.GetHwnd(), 10, 200, W - 20, 100); }
}
