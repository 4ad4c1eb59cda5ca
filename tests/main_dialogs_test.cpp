// The main program's dialogs. Settings: what "确定" stores and whom it tells, what each failure
// says, what the dialog opens on, how its two plain radio buttons behave. The due date's: the
// start each kind of date stands for, what it opens on, its four plain radio buttons. About: its
// items where the platform puts each template's. Help: its text in paragraphs. Each: the soft keys
// that end it.
#include "tests/main_test_util.h"
#include "tests/stored_settings_cases.h"
#include <algorithm>
#include <commctrl.h>
#include "core/shared_names.h"
#include "main/about_dialog.h"
#include "main/dialogs.h"
#include "main/due_date_dialog.h"
#include "main/pages.h"
#include "main/relayout_dialog.h"
#include "main/settings_store.h"
#include "resources/main_ids.h"

static int s_nMainRefreshes = 0, s_nItemRefreshes = 0, s_nSaves = 0;

// Stands for both the main window and the Today item's window: counts the refreshes each is
// asked for; the item's carry no parameters.
static LRESULT CALLBACK CountRefreshes(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    s_nMainRefreshes += uMsg == MYMSG_MAIN_REFRESH;
    s_nItemRefreshes += uMsg == MYMSG_ULVO_REFRESH ? (wParam == 0 && lParam == 0 ? 1 : 100) : 0;
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Counts the saves that took config.xml's place.
static BOOL CountSave(LPCWSTR pszFrom, LPCWSTR pszTo) { return ReplaceConfigFile(pszFrom, pszTo) && ++s_nSaves; }
static BOOL RefuseSave(LPCWSTR, LPCWSTR) { return FALSE; }
static HWND Calendar(HWND hDlg) { return FindDescendant(hDlg, MONTHCAL_CLASSW); }
static int Day(const SYSTEMTIME &st) { return st.wYear * 10000 + st.wMonth * 100 + st.wDay; }

// The item's window as the item publishes it, or cbValue bytes of it (8: the handle twice).
static void PublishItem(HWND hWnd, DWORD cbValue = sizeof(DWORD))
{
    HKEY hKey = NULL;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL);
    DWORD adwValue[2] = { (DWORD)(UINT_PTR)hWnd, (DWORD)(UINT_PTR)hWnd };
    RegSetValueExW(hKey, ULVO_REG_HWND, 0, cbValue == sizeof(DWORD) ? REG_DWORD : REG_BINARY, (const BYTE *)adwValue,
                   cbValue);
    RegCloseKey(hKey);
}

// Which radio button is checked: "10" for 365 days, "01" for 280.
static std::string Marks(HWND hDlg)
{
    return std::to_string(IsDlgButtonChecked(hDlg, IDC_RADIO_365))
         + std::to_string(IsDlgButtonChecked(hDlg, IDC_RADIO_280));
}

// The Today item stood for by a window that counts its refreshes; the saves counted.
class CountedRefreshes : public MainTest
{
protected:
    void SetUp() override
    {
        MainTest::SetUp();
        m_hCounter = CreateTestWindow(L"UlvoRefreshCounter", WS_POPUP, RECT{ 0, 0, 10, 10 }, CountRefreshes);
        PublishItem(m_hCounter);
        g_pfnReplaceConfigFile = CountSave;
    }
    void TearDown() override
    {
        g_pfnReplaceConfigFile = ReplaceConfigFile;
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY);
        if (g_hWndMain == m_hCounter)
            g_hWndMain = NULL;
        DestroyWindow(m_hCounter);
        MainTest::TearDown();
    }

    HWND m_hCounter = NULL;
};

// The counting window stands for the main window too.
class Settings : public CountedRefreshes
{
protected:
    void SetUp() override
    {
        CountedRefreshes::SetUp();
        g_hWndMain = m_hCounter;
    }
};

// What a step before the last command does, to the dialog or to what lies under it.
typedef void (*Step)(HWND hDlg, LPCWSTR pszPath);
static void Nothing(HWND, LPCWSTR) {}
static void Tap365(HWND hDlg, LPCWSTR) { SendMessageW(hDlg, WM_COMMAND, IDC_RADIO_365, 0); }
static void Tap280(HWND hDlg, LPCWSTR) { SendMessageW(hDlg, WM_COMMAND, IDC_RADIO_280, 0); }
static void UncheckBoth(HWND hDlg, LPCWSTR) { CheckRadioButton(hDlg, IDC_RADIO_365, IDC_RADIO_280, 0); }
static void DeleteConfig(HWND, LPCWSTR pszPath) { DeleteFileW(pszPath); }
static void DestroyCalendar(HWND hDlg, LPCWSTR) { DestroyWindow(Calendar(hDlg)); }
static void RefuseReplace(HWND, LPCWSTR) { g_pfnReplaceConfigFile = RefuseSave; }
static void MakeReadOnly(HWND, LPCWSTR pszPath) { SetFileAttributesW(pszPath, FILE_ATTRIBUTE_READONLY); }
#define OLD_CONFIG ConfigXml("<StartTime>2001-1-1</StartTime><CalcMethod>1</CalcMethod>")

// The day picked is 5 March 2009. "确定" stores it and the method ("1" only for 365 days) in one
// save, appended to CONFIG or in place, and tells the main window and the Today item once; "退出"
// stores nothing and tells no one. Tapping the checked radio button moves the mark to the other.
// A save that fails shows its own message over the dialog, which stays open with the file as it
// was and nothing beside it, for the user to try again or leave.
TEST_F(Settings, ConfirmStoresTheChoiceInOneSaveOrSaysWhyNot)
{
    const struct { std::string strBefore; Step pfnStep; int nLast; const char *pszAfter; const wchar_t *pszMessage; }
        CASES[] = {
        { ConfigXml(""), Nothing, IDM_SETTINGS_OK, "<StartTime>2009-3-5</StartTime><CalcMethod>1</CalcMethod>", NULL },
        { ConfigXml("<CalcMethod>1</CalcMethod><StartTime>2001-1-1</StartTime>"), Tap280, IDM_SETTINGS_OK,
          "<CalcMethod>2</CalcMethod><StartTime>2009-3-5</StartTime>", NULL },
        { ConfigXml(""), UncheckBoth, IDM_SETTINGS_OK, "<StartTime>2009-3-5</StartTime><CalcMethod>2</CalcMethod>",
          NULL },
        { ConfigXml(""), Tap365, IDM_SETTINGS_OK, "<StartTime>2009-3-5</StartTime><CalcMethod>2</CalcMethod>", NULL },
        { ConfigXml("<CalcMethod>2</CalcMethod>"), Tap280, IDM_SETTINGS_OK,
          "<CalcMethod>1</CalcMethod><StartTime>2009-3-5</StartTime>", NULL },
        { OLD_CONFIG, Tap280, IDM_SETTINGS_EXIT, NULL, NULL },
        { OLD_CONFIG, DeleteConfig, IDM_SETTINGS_OK, NULL, L"系统错误！请重试" },
        { OLD_CONFIG, DestroyCalendar, IDM_SETTINGS_OK, NULL, L"获取选定日期出错！请重试" },
        { "<?xml version=\"1.0\"?>\r\n<SETTINGS/>\r\n", Nothing, IDM_SETTINGS_OK, NULL, L"保存选定日期出错！请重试" },
        { OLD_CONFIG, RefuseReplace, IDM_SETTINGS_OK, NULL, L"保存选定日期出错！请重试" },
        { OLD_CONFIG, MakeReadOnly, IDM_SETTINGS_OK, NULL, L"保存选定日期出错！请重试" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(&c - CASES);
        ASSERT_TRUE(WriteWholeFile(ConfigPath(), c.strBefore));
        s_nMainRefreshes = s_nItemRefreshes = s_nSaves = 0;
        ShownBoxes().clear();
        Dialog dlg(IDD_SETTINGS, SettingsDlgProc);
        SYSTEMTIME st = { 2009, 3, 0, 5, 0, 0, 0, 0 };
        SendMessageW(Calendar(dlg), MCM_SETCURSEL, 0, (LPARAM)&st);
        EXPECT_EQ(L"退出 确定", SoftKeys());
        c.pfnStep(dlg, ConfigPath().c_str());
        EXPECT_TRUE(c.pfnStep == UncheckBoth || Marks(dlg) == "10" || Marks(dlg) == "01") << Marks(dlg);
        dlg.Tap(c.nLast);
        g_pfnReplaceConfigFile = CountSave;
        Pump();
        EXPECT_EQ(std::vector<std::wstring>(c.pszMessage != NULL, ShownBox(c.pszMessage, L"错误", dlg)), ShownBoxes());
        EXPECT_EQ(c.pszMessage != NULL, dlg.IsOpen());
        EXPECT_EQ(c.pszAfter ? ConfigXml(c.pszAfter) : FileExists(ConfigPath()) ? c.strBefore : "", Stored());
        EXPECT_FALSE(FileExists(ConfigPath() + CONFIG_TEMP_SUFFIX));
        // One save, one refresh of the main window and one of the item, or none at all.
        std::vector<int> counts = { s_nSaves, s_nMainRefreshes, s_nItemRefreshes };
        EXPECT_EQ(std::vector<int>(3, c.pszAfter ? 1 : 0), counts);
        dlg.Tap(IDM_SETTINGS_EXIT);
        EXPECT_FALSE(dlg.IsOpen());
    }
}

// The stored texts as the Today item reads them: the first page's status line, and the settings
// dialog opening on the date and method the pages count from and with (the calendar's own today
// without a date), so that "确定" with nothing touched stores what the pages count the same.
TEST_F(MainTest, PagesAndSettingsReadTheStoredTextsAsTheItemDoes)
{
    FixedToday today(STORED_TODAY);
    ASSERT_TRUE(Start());
    for (const StoredSettingsCase &c : STORED_SETTINGS_CASES)
    {
        SCOPED_TRACE(c.pszBody);
        Store(c.pszBody);
        Refresh();
        EXPECT_EQ(c.pszLine ? c.pszLine : PROMPT, WindowText(g_editStatus.GetHwnd()));
        Dialog dlg(IDD_SETTINGS, SettingsDlgProc);
        SYSTEMTIME stShown = {}, stToday = {};
        SendMessageW(Calendar(dlg), MCM_GETCURSEL, 0, (LPARAM)&stShown);
        SendMessageW(Calendar(dlg), MCM_GETTODAY, 0, (LPARAM)&stToday);
        EXPECT_EQ(c.nYear ? c.nYear * 10000 + c.nMonth * 100 + c.nDay : Day(stToday), Day(stShown));
        EXPECT_EQ(c.b365 ? "10" : "01", Marks(dlg));
        if (!c.nYear)
            continue;
        dlg.Tap(IDM_SETTINGS_OK);
        Pump();
        EXPECT_EQ(c.pszLine ? c.pszLine : PROMPT, WindowText(g_editStatus.GetHwnd()));
        EXPECT_EQ(ConfigXml(c.pszSaved ? c.pszSaved : c.pszBody), Stored());
    }
}

// Only a live window, named by a whole 4-byte handle, is told.
TEST_F(Settings, TodayItemIsToldOnlyThroughALiveWindow)
{
    HWND hGone = CreateTestWindow(L"UlvoRefreshCounter", WS_POPUP, RECT{ 0, 0, 10, 10 });
    DestroyWindow(hGone);
    const struct { HWND hWnd; DWORD cbValue; int nTold; } CASES[] = {
        { NULL, 0, 0 }, { hGone, 4, 0 }, { g_hWndMain, 2, 0 }, { g_hWndMain, 8, 0 }, { g_hWndMain, 4, 1 } };
    for (const auto &c : CASES)
    {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY);
        if (c.cbValue)
            PublishItem(c.hWnd, c.cbValue);
        s_nItemRefreshes = 0;
        NotifyTodayItem();
        Pump();
        EXPECT_EQ(c.nTold, s_nItemRefreshes) << c.cbValue << " bytes";
    }
}

// The dialog that sets the start from a date the doctor gives, over the running main window, on 1
// June 2012.
class DueDate : public CountedRefreshes
{
protected:
    DueDate() : m_today(2012, 6, 1) {}
    void SetUp() override
    {
        CountedRefreshes::SetUp();
        ASSERT_TRUE(Start());
    }

    FixedToday m_today;
};

static const int KIND_IDS[] = { IDC_KIND_DUE_DATE, IDC_KIND_CONCEPTION, IDC_KIND_TRANSFER_DAY3, IDC_KIND_TRANSFER_DAY5 };

// Which kind of date is marked, in the order shown: "1000" for the first.
static std::string KindMarks(HWND hDlg)
{
    std::string strMarks;
    for (int nId : KIND_IDS)
        strMarks += std::to_string(IsDlgButtonChecked(hDlg, nId));
    return strMarks;
}

// The date picked stands for the start of the count 280, 14, 17 or 19 days before it, by its kind:
// "确定" stores that start with the 280-day method in one save, across a leap day, a month's and a
// year's end, in place of what was stored and by whichever method, and tells the main window and
// the Today item; page 预产期 then shows the date picked for "预产期", 266, 263 or 261 days after
// it for the others. A start after today is refused with its own message; a save that fails says
// what the settings dialog says. Either way the dialog stays open and the file is as it was.
TEST_F(DueDate, ConfirmStoresTheStartTheDateStandsFor)
{
#define START_280(start) "<StartTime>" start "</StartTime><CalcMethod>2</CalcMethod>"
#define AFTER_TODAY L"该日期推算的怀孕开始时间晚于今天, 请检查"
    const std::string EMPTY = ConfigXml("");
    const struct { std::string strBefore; int nKind; WORD wYear, wMonth, wDay; Step pfnStep; const char *pszAfter;
                   const wchar_t *pszDue, *pszMessage; } CASES[] = {
        { EMPTY, IDC_KIND_DUE_DATE, 2012, 12, 5, Nothing, START_280("2012-2-29"), L"2012 年 12 月 5 日", NULL },
        { EMPTY, IDC_KIND_DUE_DATE, 2013, 3, 7, Nothing, START_280("2012-5-31"), L"2013 年 3 月 7 日", NULL },
        { EMPTY, IDC_KIND_DUE_DATE, 2013, 3, 8, Nothing, START_280("2012-6-1"), L"2013 年 3 月 8 日", NULL },
        { EMPTY, IDC_KIND_DUE_DATE, 2013, 3, 9, Nothing, NULL, NULL, AFTER_TODAY },
        { EMPTY, IDC_KIND_CONCEPTION, 2012, 1, 10, Nothing, START_280("2011-12-27"), L"2012 年 10 月 2 日", NULL },
        { EMPTY, IDC_KIND_CONCEPTION, 2012, 6, 16, Nothing, NULL, NULL, AFTER_TODAY },
        { EMPTY, IDC_KIND_TRANSFER_DAY3, 2012, 4, 17, Nothing, START_280("2012-3-31"), L"2013 年 1 月 5 日", NULL },
        { EMPTY, IDC_KIND_TRANSFER_DAY5, 2012, 3, 19, Nothing, START_280("2012-2-29"), L"2012 年 12 月 5 日", NULL },
        { EMPTY, IDC_KIND_TRANSFER_DAY5, 2013, 1, 1, Nothing, NULL, NULL, AFTER_TODAY },
        { OLD_CONFIG, IDC_KIND_DUE_DATE, 2013, 3, 7, Nothing, START_280("2012-5-31"), L"2013 年 3 月 7 日", NULL },
        { ConfigXml("<Note>x</Note><CalcMethod>1</CalcMethod><StartTime>2001-1-1</StartTime>"), IDC_KIND_CONCEPTION,
          2012, 6, 15, Nothing, "<Note>x</Note><CalcMethod>2</CalcMethod><StartTime>2012-6-1</StartTime>",
          L"2013 年 3 月 8 日", NULL },
        { OLD_CONFIG, IDC_KIND_DUE_DATE, 2013, 3, 9, Nothing, NULL, NULL, AFTER_TODAY },
        { OLD_CONFIG, IDC_KIND_DUE_DATE, 2013, 3, 7, DeleteConfig, NULL, NULL, L"系统错误！请重试" },
        { OLD_CONFIG, IDC_KIND_DUE_DATE, 2013, 3, 7, DestroyCalendar, NULL, NULL, L"获取选定日期出错！请重试" },
        { OLD_CONFIG, IDC_KIND_DUE_DATE, 2013, 3, 7, RefuseReplace, NULL, NULL, L"保存选定日期出错！请重试" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(&c - CASES);
        ASSERT_TRUE(WriteWholeFile(ConfigPath(), c.strBefore));
        Refresh();
        const std::wstring strPageBefore = WindowText(g_editDueDate.GetHwnd());
        s_nItemRefreshes = s_nSaves = 0;
        ShownBoxes().clear();
        Dialog dlg(IDD_DUE_DATE, DueDateDlgProc);
        EXPECT_EQ(L"退出 确定", SoftKeys());
        SYSTEMTIME st = { c.wYear, c.wMonth, 0, c.wDay, 0, 0, 0, 0 };
        SendMessageW(Calendar(dlg), MCM_SETCURSEL, 0, (LPARAM)&st);
        dlg.Tap(c.nKind);
        c.pfnStep(dlg, ConfigPath().c_str());
        dlg.Tap(IDM_SETTINGS_OK);
        g_pfnReplaceConfigFile = CountSave;
        Pump();
        EXPECT_EQ(std::vector<std::wstring>(c.pszMessage != NULL, ShownBox(c.pszMessage, L"错误", dlg)), ShownBoxes());
        EXPECT_EQ(c.pszMessage != NULL, dlg.IsOpen());
        EXPECT_EQ(c.pszAfter ? ConfigXml(c.pszAfter) : FileExists(ConfigPath()) ? c.strBefore : "", Stored());
        EXPECT_EQ(c.pszDue ? std::wstring(L"您的预产期: ") + c.pszDue : strPageBefore, WindowText(g_editDueDate.GetHwnd()));
        EXPECT_EQ(std::make_pair(c.pszAfter ? 1 : 0, c.pszAfter ? 1 : 0), std::make_pair(s_nSaves, s_nItemRefreshes));
    }
}

// The calendar opens on the due date page 预产期 shows for what is stored, by either method, also
// for a start still to come, and on today without a date; the first kind is marked, and a tap
// moves the mark to the kind tapped. "退出" and closing store nothing and tell no one. The
// calendar has the settings dialog's look.
TEST_F(DueDate, OpensOnTheDueDateThePagesShowAndLeavesStoringNothing)
{
    const struct { const char *pszBody; const wchar_t *pszDue; WORD wYear, wMonth, wDay; int nLast; } CASES[] = {
        { START_280("2012-2-29"), L"2012 年 12 月 5 日", 2012, 12, 5, IDM_SETTINGS_EXIT },
        { "<StartTime>2012-2-29</StartTime><CalcMethod>1</CalcMethod>", L"2012 年 12 月 6 日", 2012, 12, 6, IDM_SETTINGS_EXIT },
        { "<StartTime>2012-5-31</StartTime>", L"2013 年 3 月 7 日", 2013, 3, 7, WM_CLOSE },
        { START_280("2012-9-1"), L"2013 年 6 月 8 日", 2013, 6, 8, IDM_SETTINGS_EXIT },
        { START_280("2012-2-30"), NULL, 2012, 6, 1, IDM_SETTINGS_EXIT },
        { "<CalcMethod>1</CalcMethod>", NULL, 2012, 6, 1, WM_CLOSE },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszBody);
        Store(c.pszBody);
        Refresh();
        if (c.pszDue)
        {
            EXPECT_EQ(std::wstring(L"您的预产期: ") + c.pszDue, WindowText(g_editDueDate.GetHwnd()));
        }
        s_nItemRefreshes = s_nSaves = 0;
        Dialog dlg(IDD_DUE_DATE, DueDateDlgProc);
        SYSTEMTIME st = {};
        SendMessageW(Calendar(dlg), MCM_GETCURSEL, 0, (LPARAM)&st);
        EXPECT_EQ(c.wYear * 10000 + c.wMonth * 100 + c.wDay, Day(st));
        EXPECT_EQ("1000", KindMarks(dlg));
        const struct { int nTapped; const char *pszMarks; } TAPS[] = {
            { IDC_KIND_TRANSFER_DAY5, "0001" }, { IDC_KIND_TRANSFER_DAY5, "0001" }, { IDC_KIND_CONCEPTION, "0100" },
            { IDC_KIND_TRANSFER_DAY3, "0010" }, { IDC_KIND_DUE_DATE, "1000" } };
        for (const auto &t : TAPS)
        {
            dlg.Tap(t.nTapped);
            EXPECT_EQ(t.pszMarks, KindMarks(dlg));
        }
        if (c.nLast == WM_CLOSE)
            SendMessageW(dlg, WM_CLOSE, 0, 0);
        else
            dlg.Tap(c.nLast);
        Pump();
        EXPECT_FALSE(dlg.IsOpen());
        EXPECT_EQ(ConfigXml(c.pszBody), Stored());
        EXPECT_EQ(std::make_pair(0, 0), std::make_pair(s_nSaves, s_nItemRefreshes));
    }

    // What it says, and the calendar in the settings dialog's colours and with its week numbers.
    Dialog dlg(IDD_DUE_DATE, DueDateDlgProc), settings(IDD_SETTINGS, SettingsDlgProc);
    std::vector<std::wstring> texts;
    for (int nId : KIND_IDS)
        texts.push_back(WindowText(GetDlgItem(dlg, nId)));
    EXPECT_EQ(std::vector<std::wstring>({ L"预产期", L"受孕日", L"胚胎移植日 (3 天胚胎)", L"胚胎移植日 (5 天囊胚)" }), texts);
    std::vector<std::wstring> groups;
    for (HWND h = GetWindow(dlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if ((GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            groups.push_back(WindowText(h));
    std::sort(groups.begin(), groups.end());
    EXPECT_EQ(std::vector<std::wstring>({ L"这个日期是", L"选择日期" }), groups);
    for (int nColour : { MCSC_BACKGROUND, MCSC_MONTHBK, MCSC_TEXT, MCSC_TITLEBK, MCSC_TITLETEXT, MCSC_TRAILINGTEXT })
        EXPECT_EQ(SendMessageW(Calendar(settings), MCM_GETCOLOR, nColour, 0),
                  SendMessageW(Calendar(dlg), MCM_GETCOLOR, nColour, 0)) << "colour " << nColour;
    EXPECT_EQ(GetWindowLongW(Calendar(settings), GWL_STYLE), GetWindowLongW(Calendar(dlg), GWL_STYLE));
}

static INT_PTR CALLBACK PlainDlgProc(HWND, UINT uMsg, WPARAM, LPARAM) { return uMsg == WM_INITDIALOG; }

// The About dialog's items as the user sees them: where each sits and its text (an icon is drawn
// at its own size, whatever the item's).
static std::vector<std::wstring> Items(HWND hDlg)
{
    std::vector<std::wstring> items;
    for (int nId = IDC_ABOUT_ICON; nId <= IDC_ABOUT_NOTICE; nId++)
    {
        HWND hItem = GetDlgItem(hDlg, nId);
        RECT rc = hItem ? ChildRect(hItem) : RECT{};
        std::wstring strSize = std::to_wstring(rc.right - rc.left) + L"x" + std::to_wstring(rc.bottom - rc.top) + L" ";
        bool bIcon = SendMessageW(hItem, STM_GETIMAGE, IMAGE_ICON, 0) != 0;
        items.push_back(std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L" "
                        + (bIcon ? L"icon" : strSize + WindowText(hItem)));
    }
    return items;
}

// Relaid out with the landscape template, the portrait dialog's items sit and read as the
// platform makes that template's, the one it does not name staying as it was; the portrait
// template brings all back.
TEST_F(MainTest, AboutItemsTakeEachTemplatesPlacesAndTexts)
{
    Dialog portraitDlg(IDD_ABOUT, PlainDlgProc), wideDlg(IDD_ABOUT_WIDE, PlainDlgProc);
    std::vector<std::wstring> portrait = Items(portraitDlg), wide = Items(wideDlg);
    wide.back() = portrait.back();
    for (int nTemplate : { IDD_ABOUT_WIDE, IDD_ABOUT_WIDE, IDD_ABOUT })
    {
        EXPECT_EQ(1, RelayoutDialog(g_hInstance, portraitDlg, nTemplate));
        EXPECT_EQ(nTemplate == IDD_ABOUT ? portrait : wide, Items(portraitDlg));
    }

    // The open dialog takes the layout of the screen's shape: landscape unless taller than wide.
    EXPECT_EQ(IDD_ABOUT, AboutLayoutFor(240, 320));
    EXPECT_EQ(IDD_ABOUT_WIDE, AboutLayoutFor(320, 240));
    EXPECT_EQ(IDD_ABOUT_WIDE, AboutLayoutFor(240, 240));
    Dialog about(IDD_ABOUT, AboutDlgProc);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) > GetSystemMetrics(SM_CXSCREEN) ? portrait : wide, Items(about));

    // Its soft key ends it, as closing it does; another command leaves it open.
    EXPECT_EQ(L"确定", SoftKeys());
    about.Tap(IDM_ABOUT);
    EXPECT_TRUE(about.IsOpen());
    SendMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_FALSE(about.IsOpen());
    Dialog again(IDD_ABOUT, AboutDlgProc);
    again.Tap(IDM_DIALOG_OK);
    EXPECT_FALSE(again.IsOpen());
}

// The usage text in three paragraphs, the instructions, the dedication and the contact line,
// each beginning a line of the box after an empty one; its soft key ends the dialog.
TEST_F(MainTest, HelpShowsTheUsageTextInThreeParagraphs)
{
    Dialog help(IDD_HELP, HelpDlgProc);
    EXPECT_EQ(L"确定", SoftKeys());
    HWND hText = FindDescendant(help, L"EDIT");
    std::wstring strText = WindowText(hText);
    EXPECT_EQ(L"安装本软件后,在今日界面可以点击进入设置, 设置好后可以每日提醒您今天怀孕的日期, "
              L"点击进入后,还可以看到更详细的孕期说明. 如果没有今日界面,也可以从软件列表直接进入.\r\n\r\n"
              L"谨以此软件献给每一位准妈妈, 愿您和宝宝平安健康.\r\n\r\n"
              L"使用中有任何问题或建议, 欢迎通过软件的发布页面留言与我们联系.", strText);
    std::wstring strStarts;   // the first character of each line the box shows, '-' for an empty one
    for (int i = 0; i < (int)SendMessageW(hText, EM_GETLINECOUNT, 0, 0); i++)
    {
        int nStart = (int)SendMessageW(hText, EM_LINEINDEX, i, 0);
        strStarts += SendMessageW(hText, EM_LINELENGTH, nStart, 0) ? strText[nStart] : L'-';
    }
    EXPECT_NE(std::wstring::npos, strStarts.find(L"-谨")) << strStarts;
    EXPECT_NE(std::wstring::npos, strStarts.find(L"-使")) << strStarts;
    EXPECT_EQ(2, std::count(strStarts.begin(), strStarts.end(), L'-')) << strStarts;
    help.Tap(IDM_DIALOG_OK);
    EXPECT_FALSE(help.IsOpen());
}
