#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <strsafe.h>
#include "core/config_document.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "main/button_control.h"
#include "main/main_globals.h"
#include "main/month_calendar.h"
#include "main/settings_dialog.h"
#include "main/settings_store.h"
#include "resources/main_ids.h"
#include "tests/dialog_driver.h"
#include "tests/stored_settings_cases.h"
#include "tests/temp_dir.h"

namespace {

const char DECLARATION[] = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";

// Counts what a window is asked to do: the main window's and the Today item's refreshes.
int g_nMainRefreshes = 0;
int g_nItemRefreshes = 0;
WPARAM g_wItemParam = 1;
LPARAM g_lItemParam = 1;

LRESULT CALLBACK CounterWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == MYMSG_MAIN_REFRESH)
    {
        ++g_nMainRefreshes;
        return 0;
    }
    if (uMsg == MYMSG_ULVO_REFRESH)
    {
        ++g_nItemRefreshes;
        g_wItemParam = wParam;
        g_lItemParam = lParam;
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND CreateCounterWindow()
{
    static bool bRegistered = false;
    if (!bRegistered)
    {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = CounterWndProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = L"UlvoSettingsTestCounter";
        RegisterClassW(&wc);
        bRegistered = true;
    }
    return CreateWindowExW(0, L"UlvoSettingsTestCounter", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// The item's handle as it publishes it, or cbValue bytes of it (an 8-byte value repeats it).
void PublishItemWindow(DWORD dwValue, DWORD cbValue = sizeof(DWORD))
{
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, NULL, 0, KEY_SET_VALUE,
                                             NULL, &hKey, NULL));
    DWORD adwValue[2] = { dwValue, dwValue };
    RegSetValueExW(hKey, ULVO_REG_HWND, 0, cbValue == sizeof(DWORD) ? REG_DWORD : REG_BINARY,
                   (const BYTE *)adwValue, cbValue);
    RegCloseKey(hKey);
}

void RemoveItemKey()
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY);
}

size_t Count(const std::string &str, const std::string &strPart)
{
    size_t n = 0;
    for (size_t pos = str.find(strPart); pos != std::string::npos; pos = str.find(strPart, pos + 1))
        ++n;
    return n;
}

HWND Calendar(HWND hDlg) { return FindWindowExW(hDlg, NULL, MONTHCAL_CLASSW, NULL); }

void PickDate(HWND hDlg, WORD wYear, WORD wMonth, WORD wDay)
{
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    st.wYear = wYear;
    st.wMonth = wMonth;
    st.wDay = wDay;
    SendMessageW(Calendar(hDlg), MCM_SETCURSEL, 0, (LPARAM)&st);
}

SYSTEMTIME CalendarSelection(HWND hDlg)
{
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    SendMessageW(Calendar(hDlg), MCM_GETCURSEL, 0, (LPARAM)&st);
    return st;
}

void Tap(HWND hDlg, int nCommand)
{
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nCommand, BN_CLICKED), 0);
}

bool Checked(HWND hDlg, int nId)
{
    return SendDlgItemMessageW(hDlg, nId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A fault injected into a control: the window answers one message its own way first.
WNDPROC g_pfnOriginal = NULL;
UINT g_uInterceptedMsg = 0;
std::function<LRESULT()> g_intercept;

LRESULT CALLBACK InterceptWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == g_uInterceptedMsg && g_intercept)
        return g_intercept();
    return CallWindowProcW(g_pfnOriginal, hWnd, uMsg, wParam, lParam);
}

void Intercept(HWND hWnd, UINT uMsg, std::function<LRESULT()> fn)
{
    g_uInterceptedMsg = uMsg;
    g_intercept = fn;
    g_pfnOriginal = (WNDPROC)SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)InterceptWndProc);
}

class Settings : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        g_hInstance = GetModuleHandleW(NULL);
        g_nScaleShift = 0;
        m_strConfig = m_dir.File(L"config.xml");
        StringCchCopyW(g_szXMLFilePath, MAX_PATH, m_strConfig.c_str());
        g_pConfig = new ConfigDocument;
        g_hWndMain = CreateCounterWindow();
        m_hItem = CreateCounterWindow();
        g_nMainRefreshes = 0;
        g_nItemRefreshes = 0;
        RemoveItemKey();
    }

    void TearDown() override
    {
        Pump();
        SetFileAttributesW(m_strConfig.c_str(), FILE_ATTRIBUTE_NORMAL);
        delete g_pConfig;
        g_pConfig = NULL;
        DestroyWindow(g_hWndMain);
        DestroyWindow(m_hItem);
        g_hWndMain = NULL;
        RemoveItemKey();
        g_intercept = nullptr;
        CoUninitialize();
    }

    void WriteConfig(const std::string &strBody)
    {
        ASSERT_TRUE(WriteFileBytes(m_strConfig, DECLARATION + strBody + "\r\n"));
    }

    std::string Config() { return ReadFileBytes(m_strConfig); }

    DialogRun RunSettings(const DialogScript &script)
    {
        DialogRun run = RunDialog(IDD_SETTINGS, SettingsDlgProc, script);
        Pump();
        return run;
    }

    TempDir m_dir;
    std::wstring m_strConfig;
    HWND m_hItem;
};

// --- What is stored -----------------------------------------------------------------------

TEST_F(Settings, FirstSaveAppendsStartTimeThenMethodInOneSave)
{
    WriteConfig("<CONFIG></CONFIG>");
    PublishItemWindow((DWORD)(UINT_PTR)m_hItem);
    MessageBoxRecorder boxes;

    DialogRun run = RunSettings([](HWND hDlg) {
        PickDate(hDlg, 2009, 3, 5);
        Tap(hDlg, IDM_SETTINGS_OK);
    });

    EXPECT_EQ(IDM_SETTINGS_OK, run.nResult);
    EXPECT_FALSE(run.bOpenAfterScript);
    EXPECT_TRUE(boxes.Boxes().empty());
    std::string strFile = Config();
    size_t posStart = strFile.find("<StartTime>2009-3-5</StartTime>");
    size_t posMethod = strFile.find("<CalcMethod>1</CalcMethod>");
    ASSERT_NE(std::string::npos, posStart) << strFile;
    ASSERT_NE(std::string::npos, posMethod) << strFile;
    EXPECT_LT(posStart, posMethod);
    EXPECT_LT(strFile.find("<CONFIG>"), posStart);
    EXPECT_LT(posMethod, strFile.find("</CONFIG>"));
    EXPECT_NE(std::string::npos, strFile.find("GB2312"));
    EXPECT_EQ(1, g_nMainRefreshes);
    EXPECT_EQ(1, g_nItemRefreshes);
    EXPECT_EQ(0u, g_wItemParam);
    EXPECT_EQ(0, g_lItemParam);
}

TEST_F(Settings, LaterSaveReplacesTextsInPlaceKeepingTheirOrder)
{
    WriteConfig("<CONFIG><CalcMethod>1</CalcMethod><StartTime>2001-1-1</StartTime></CONFIG>");

    DialogRun run = RunSettings([](HWND hDlg) {
        PickDate(hDlg, 2010, 12, 31);
        Tap(hDlg, IDC_RADIO_280);
        Tap(hDlg, IDM_SETTINGS_OK);
    });

    EXPECT_EQ(IDM_SETTINGS_OK, run.nResult);
    std::string strFile = Config();
    EXPECT_EQ(1u, Count(strFile, "<StartTime>")) << strFile;
    EXPECT_EQ(1u, Count(strFile, "<CalcMethod>")) << strFile;
    size_t posMethod = strFile.find("<CalcMethod>2</CalcMethod>");
    size_t posStart = strFile.find("<StartTime>2010-12-31</StartTime>");
    ASSERT_NE(std::string::npos, posMethod) << strFile;
    ASSERT_NE(std::string::npos, posStart) << strFile;
    EXPECT_LT(posMethod, posStart);
    EXPECT_EQ(1, g_nMainRefreshes);
}

TEST_F(Settings, StoresMethodOneOnlyFor365)
{
    struct Case { const char *pszName; std::function<void(HWND)> choose; const char *pszStored; };
    const Case cases[] = {
        { "365 as opened", [](HWND) {}, "<CalcMethod>1</CalcMethod>" },
        { "280 tapped", [](HWND hDlg) { Tap(hDlg, IDC_RADIO_280); }, "<CalcMethod>2</CalcMethod>" },
        { "neither checked", [](HWND hDlg) {
              SendDlgItemMessageW(hDlg, IDC_RADIO_365, BM_SETCHECK, BST_UNCHECKED, 0);
              SendDlgItemMessageW(hDlg, IDC_RADIO_280, BM_SETCHECK, BST_UNCHECKED, 0);
          }, "<CalcMethod>2</CalcMethod>" },
    };
    for (const Case &c : cases)
    {
        WriteConfig("<CONFIG></CONFIG>");
        DialogRun run = RunSettings([&c](HWND hDlg) {
            c.choose(hDlg);
            Tap(hDlg, IDM_SETTINGS_OK);
        });
        EXPECT_EQ(IDM_SETTINGS_OK, run.nResult) << c.pszName;
        EXPECT_NE(std::string::npos, Config().find(c.pszStored)) << c.pszName << "\n" << Config();
    }
}

TEST_F(Settings, ExitStoresNothingAndTellsNoOne)
{
    WriteConfig("<CONFIG><StartTime>2009-3-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>");
    std::string strBefore = Config();
    PublishItemWindow((DWORD)(UINT_PTR)m_hItem);

    DialogRun run = RunSettings([](HWND hDlg) {
        PickDate(hDlg, 2011, 6, 1);
        Tap(hDlg, IDC_RADIO_280);
        Tap(hDlg, IDM_SETTINGS_EXIT);
    });

    EXPECT_EQ(IDM_SETTINGS_EXIT, run.nResult);
    EXPECT_EQ(strBefore, Config());
    EXPECT_EQ(0, g_nMainRefreshes);
    EXPECT_EQ(0, g_nItemRefreshes);
}

// --- Failures: one message each, the dialog stays open ------------------------------------

const PFN_REPLACEFILE s_pfnRealReplace = g_pfnReplaceConfigFile;

BOOL RefuseReplace(LPCWSTR, LPCWSTR)
{
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

struct FailureCase
{
    const char *pszName;
    const char *pszConfig;
    std::function<void(HWND, const std::wstring &)> breakIt;
    const wchar_t *pszMessage;
};

TEST_F(Settings, EachFailureShowsItsMessageAndKeepsTheDialogOpen)
{
    const FailureCase cases[] = {
        { "config.xml deleted while running", "<CONFIG></CONFIG>",
          [](HWND, const std::wstring &strPath) { DeleteFileW(strPath.c_str()); },
          L"系统错误！请重试" },
        { "calendar cannot report its date", "<CONFIG></CONFIG>",
          [](HWND hDlg, const std::wstring &) { Intercept(Calendar(hDlg), MCM_GETCURSEL, [] { return (LRESULT)0; }); },
          L"获取选定日期出错！请重试" },
        { "document element is not CONFIG", "<SETTINGS><StartTime>2001-1-1</StartTime></SETTINGS>",
          [](HWND, const std::wstring &) {},
          L"保存选定日期出错！请重试" },
        { "file turns read-only while the dialog is open", "<CONFIG><StartTime>2001-1-1</StartTime></CONFIG>",
          [](HWND, const std::wstring &strPath) { SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_READONLY); },
          L"保存选定日期出错！请重试" },
        { "the new file cannot take the old one's place", "<CONFIG><StartTime>2001-1-1</StartTime></CONFIG>",
          [](HWND, const std::wstring &) { g_pfnReplaceConfigFile = RefuseReplace; },
          L"保存选定日期出错！请重试" },
    };
    for (const FailureCase &c : cases)
    {
        SetFileAttributesW(m_strConfig.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteConfig(c.pszConfig);
        PublishItemWindow((DWORD)(UINT_PTR)m_hItem);
        g_nMainRefreshes = 0;
        g_nItemRefreshes = 0;
        MessageBoxRecorder boxes;
        std::wstring strPath = m_strConfig;
        std::string strAfter;

        DialogRun run = RunSettings([&](HWND hDlg) {
            PickDate(hDlg, 2009, 3, 5);
            c.breakIt(hDlg, strPath);
            Tap(hDlg, IDM_SETTINGS_OK);
            g_intercept = nullptr;
            // After the message the user can still leave.
            Tap(hDlg, IDM_SETTINGS_EXIT);
        });

        EXPECT_EQ(IDM_SETTINGS_EXIT, run.nResult) << c.pszName;
        ASSERT_EQ(1u, boxes.Boxes().size()) << c.pszName;
        EXPECT_EQ(c.pszMessage, boxes.Boxes()[0].strText) << c.pszName;
        EXPECT_EQ(L"错误", boxes.Boxes()[0].strCaption) << c.pszName;
        EXPECT_EQ((UINT)MB_OK, boxes.Boxes()[0].uType) << c.pszName;
        EXPECT_TRUE(boxes.Boxes()[0].bOwnerIsOpenDialog) << c.pszName;
        EXPECT_EQ(0, g_nItemRefreshes) << c.pszName;
        // A save that failed left the file as it was, and nothing beside it.
        if (FileExists(strPath))
        {
            EXPECT_EQ(DECLARATION + std::string(c.pszConfig) + "\r\n", Config()) << c.pszName;
        }
        EXPECT_FALSE(FileExists(strPath + CONFIG_TEMP_SUFFIX)) << c.pszName;
        g_pfnReplaceConfigFile = s_pfnRealReplace;
    }
}

TEST_F(Settings, DeletedConfigIsNotRecreatedAndForeignRootStaysUnchanged)
{
    MessageBoxRecorder boxes;
    WriteConfig("<CONFIG></CONFIG>");
    DeleteFileW(m_strConfig.c_str());
    g_pCalendar = NULL;
    EXPECT_EQ(SAVE_SETTINGS_NO_DOCUMENT, SaveSettings());
    EXPECT_FALSE(FileExists(m_strConfig));

    WriteConfig("<SETTINGS><StartTime>2001-1-1</StartTime></SETTINGS>");
    std::string strBefore = Config();
    RunSettings([](HWND hDlg) {
        Tap(hDlg, IDM_SETTINGS_OK);
        Tap(hDlg, IDM_SETTINGS_EXIT);
    });
    EXPECT_EQ(strBefore, Config());
    EXPECT_EQ(0, g_nMainRefreshes);
}

TEST_F(Settings, WithoutAConfigDocumentEverythingIsASystemError)
{
    delete g_pConfig;
    g_pConfig = NULL;
    EXPECT_EQ(SAVE_SETTINGS_NO_DOCUMENT, SaveSettings());
    EXPECT_EQ(0, GetCalcMethod());
}

// --- Reading the stored method ------------------------------------------------------------

TEST_F(Settings, StoredMethodReadsAsOneTwoOrNotSet)
{
    struct Case { const char *pszConfig; int nMethod; int nCheckedId; };
    const Case cases[] = {
        { "<CONFIG><CalcMethod>1</CalcMethod></CONFIG>", 1, IDC_RADIO_365 },
        { "<CONFIG><CalcMethod>2</CalcMethod></CONFIG>", 2, IDC_RADIO_280 },
        { "<CONFIG><CalcMethod>3</CalcMethod></CONFIG>", 0, IDC_RADIO_365 },
        { "<CONFIG><CalcMethod>22</CalcMethod></CONFIG>", 0, IDC_RADIO_365 },
        { "<CONFIG></CONFIG>", 0, IDC_RADIO_365 },
    };
    for (const Case &c : cases)
    {
        WriteConfig(c.pszConfig);
        EXPECT_EQ(c.nMethod, GetCalcMethod()) << c.pszConfig;
        int nChecked = 0, nUnchecked = 0;
        RunSettings([&](HWND hDlg) {
            nChecked = Checked(hDlg, c.nCheckedId);
            nUnchecked = Checked(hDlg, c.nCheckedId == IDC_RADIO_365 ? IDC_RADIO_280 : IDC_RADIO_365);
            Tap(hDlg, IDM_SETTINGS_EXIT);
        });
        EXPECT_TRUE(nChecked) << c.pszConfig;
        EXPECT_FALSE(nUnchecked) << c.pszConfig;
    }
    DeleteFileW(m_strConfig.c_str());
    EXPECT_EQ(0, GetCalcMethod());
}

// --- The dialog's controls ----------------------------------------------------------------

TEST_F(Settings, TappingTheCheckedButtonMovesTheMarkToTheOther)
{
    WriteConfig("<CONFIG></CONFIG>");
    std::vector<std::pair<bool, bool>> marks;
    RunSettings([&](HWND hDlg) {
        auto note = [&] { marks.push_back({ Checked(hDlg, IDC_RADIO_365), Checked(hDlg, IDC_RADIO_280) }); };
        note();
        Tap(hDlg, IDC_RADIO_365);   // checked one tapped
        note();
        Tap(hDlg, IDC_RADIO_365);   // unchecked one tapped
        note();
        Tap(hDlg, IDC_RADIO_280);
        note();
        Tap(hDlg, IDC_RADIO_280);
        note();
        Tap(hDlg, IDM_SETTINGS_EXIT);
    });
    std::vector<std::pair<bool, bool>> expected = {
        { true, false }, { false, true }, { true, false }, { false, true }, { true, false } };
    EXPECT_EQ(expected, marks);
}

TEST_F(Settings, ControlsSitWhereDesignedAroundTheCalendarsMinimumSize)
{
    WriteConfig("<CONFIG></CONFIG>");
    for (int nShift = 0; nShift <= 1; ++nShift)
    {
        g_nScaleShift = nShift;
        RECT rcCal = {}, rcMin = {}, rcDate = {}, rcMethod = {}, rc365 = {}, rc280 = {};
        std::wstring strDate, strMethod, str365, str280;
        LONG lStyle365 = 0;
        COLORREF crMonth = 0;
        RunSettings([&](HWND hDlg) {
            HWND hCal = Calendar(hDlg);
            rcCal = ChildRect(hCal);
            SendMessageW(hCal, MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
            crMonth = (COLORREF)SendMessageW(hCal, MCM_GETCOLOR, MCSC_MONTHBK, 0);
            HWND hDate = FindWindowExW(hDlg, NULL, L"BUTTON", L"设置怀孕日期");
            HWND hMethod = FindWindowExW(hDlg, NULL, L"BUTTON", L"选择计算方法");
            rcDate = ChildRect(hDate);
            rcMethod = ChildRect(hMethod);
            rc365 = ChildRect(GetDlgItem(hDlg, IDC_RADIO_365));
            rc280 = ChildRect(GetDlgItem(hDlg, IDC_RADIO_280));
            strDate = WindowText(hDate);
            strMethod = WindowText(hMethod);
            str365 = WindowText(GetDlgItem(hDlg, IDC_RADIO_365));
            str280 = WindowText(GetDlgItem(hDlg, IDC_RADIO_280));
            lStyle365 = GetWindowLongW(GetDlgItem(hDlg, IDC_RADIO_365), GWL_STYLE);
            Tap(hDlg, IDM_SETTINGS_EXIT);
        });
        const int s = nShift;
        // This platform's calendar wants more than the designed 100 x 100, so it takes its whole
        // minimum; the doubled design on this 96-dpi screen is large enough and kept.
        bool bGrown = rcMin.right > (100 << s) || rcMin.bottom > (100 << s);
        ASSERT_EQ(s == 0, bGrown);
        int nCalW = bGrown ? rcMin.right : 100 << s, nCalH = bGrown ? rcMin.bottom : 100 << s;
        EXPECT_EQ(50 << s, rcCal.left);
        EXPECT_EQ(30 << s, rcCal.top);
        EXPECT_EQ(nCalW, rcCal.right - rcCal.left);
        EXPECT_EQ(nCalH, rcCal.bottom - rcCal.top);
        EXPECT_EQ(RGB(0, 255, 0), crMonth);

        RECT rcDateWant = { 20 << s, 10 << s, (20 << s) + (60 << s) + nCalW, (10 << s) + (30 << s) + nCalH };
        RECT rcMethodWant = { 20 << s, 175 << s, (20 << s) + (60 << s) + nCalW, (175 << s) + (95 << s) };
        RECT rc365Want = { 50 << s, 195 << s, 150 << s, 225 << s };
        RECT rc280Want = { 50 << s, 235 << s, 150 << s, 265 << s };
        EXPECT_TRUE(EqualRect(&rcDateWant, &rcDate)) << "shift " << s;
        EXPECT_TRUE(EqualRect(&rcMethodWant, &rcMethod)) << "shift " << s;
        EXPECT_TRUE(EqualRect(&rc365Want, &rc365)) << "shift " << s;
        EXPECT_TRUE(EqualRect(&rc280Want, &rc280)) << "shift " << s;
        EXPECT_EQ(L"设置怀孕日期", strDate);
        EXPECT_EQ(L"选择计算方法", strMethod);
        EXPECT_EQ(L"按365天计算", str365);
        EXPECT_EQ(L"按280天计算", str280);
        EXPECT_EQ(BS_RADIOBUTTON, lStyle365 & BS_TYPEMASK);
        EXPECT_FALSE(lStyle365 & BS_LEFTTEXT);
    }
    g_nScaleShift = 0;
}

TEST_F(Settings, CalendarTakesItsWholeMinimumWhenEitherSideFallsShort)
{
    HWND hParent = CreateCounterWindow();
    MonthCalendar cal;
    ASSERT_TRUE(cal.Prepare(hParent, GetModuleHandleW(NULL)));
    // Wide enough but too low: both sides become the minimum's.
    ASSERT_EQ(1, cal.Create(WS_CHILD | WS_VISIBLE | MCS_WEEKNUMBERS, 5, 7, 2000, 20, 0));
    RECT rcMin = {};
    SendMessageW(cal.GetHwnd(), MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
    EXPECT_EQ(rcMin.right, cal.GetWidth());
    EXPECT_EQ(rcMin.bottom, cal.GetHeight());
    RECT rc = ChildRect(cal.GetHwnd());
    EXPECT_EQ(5, rc.left);
    EXPECT_EQ(7, rc.top);
    EXPECT_EQ(rcMin.right - rcMin.left, rc.right - rc.left);

    // Large enough: kept as asked.
    MonthCalendar big;
    big.Prepare(hParent, GetModuleHandleW(NULL));
    ASSERT_EQ(1, big.Create(WS_CHILD | MCS_WEEKNUMBERS, 0, 0, 900, 700, 0));
    EXPECT_EQ(900, big.GetWidth());
    EXPECT_EQ(700, big.GetHeight());

    SYSTEMTIME st = {};
    EXPECT_EQ(0, big.GetCurSel(NULL));
    EXPECT_NE(0, big.GetCurSel(&st));
    DestroyWindow(hParent);
}

// The dialog opens on what the pages and the Today item count from and with, so "确定" with
// nothing touched stores the same date and method again.
TEST_F(Settings, OpensOnWhatThePagesCountAndConfirmKeepsIt)
{
    for (const StoredSettingsCase &c : STORED_SETTINGS_CASES)
    {
        SCOPED_TRACE(c.pszBody);
        WriteConfig(std::string("<CONFIG>") + c.pszBody + "</CONFIG>");
        SYSTEMTIME stShown = {}, stToday = {};
        bool b365 = false;
        RunSettings([&](HWND hDlg) {
            stShown = CalendarSelection(hDlg);
            SendMessageW(Calendar(hDlg), MCM_GETTODAY, 0, (LPARAM)&stToday);
            b365 = Checked(hDlg, IDC_RADIO_365);
            EXPECT_NE(b365, Checked(hDlg, IDC_RADIO_280));
            Tap(hDlg, c.nYear ? IDM_SETTINGS_OK : IDM_SETTINGS_EXIT);
        });
        EXPECT_EQ(c.b365, b365);
        EXPECT_EQ(c.nYear ? c.nYear : stToday.wYear, stShown.wYear);
        EXPECT_EQ(c.nYear ? c.nMonth : stToday.wMonth, stShown.wMonth);
        EXPECT_EQ(c.nYear ? c.nDay : stToday.wDay, stShown.wDay);
        if (!c.nYear)
            continue;
        char szStored[64];
        StringCchPrintfA(szStored, ARRAYSIZE(szStored), "<StartTime>%d-%d-%d</StartTime>", c.nYear, c.nMonth, c.nDay);
        EXPECT_NE(std::string::npos, Config().find(szStored)) << Config();
        EXPECT_NE(std::string::npos, Config().find(c.b365 ? "<CalcMethod>1<" : "<CalcMethod>2<")) << Config();
    }
}

TEST_F(Settings, DialogLetsGoOfItsControlsHoweverItEnds)
{
    WriteConfig("<CONFIG></CONFIG>");
    for (int nCommand : { (int)IDM_SETTINGS_EXIT, (int)IDM_SETTINGS_OK, (int)WM_CLOSE })
    {
        bool bHeld = false;
        DialogRun run = RunSettings([&](HWND hDlg) {
            bHeld = g_pCalendar && g_pDateGroup && g_pMethodGroup && g_pRadio365 && g_pRadio280;
            if (nCommand == WM_CLOSE)
                SendMessageW(hDlg, WM_CLOSE, 0, 0);
            else
                Tap(hDlg, nCommand);
        });
        EXPECT_EQ(nCommand == WM_CLOSE ? 16 : nCommand, run.nResult);
        EXPECT_TRUE(bHeld);
        EXPECT_EQ(NULL, g_pCalendar);
        EXPECT_EQ(NULL, g_pDateGroup);
        EXPECT_EQ(NULL, g_pMethodGroup);
        EXPECT_EQ(NULL, g_pRadio365);
        EXPECT_EQ(NULL, g_pRadio280);
    }
}

TEST_F(Settings, SoftKeysAreExitAndConfirm)
{
    ResourceLibrary resLib;
    g_pResLib = &resLib;
    WriteConfig("<CONFIG></CONFIG>");
    HWND hBar = NULL;
    RunSettings([&](HWND hDlg) {
        hBar = resLib.m_hwndMenuBar;
        Tap(hDlg, IDM_SETTINGS_EXIT);
    });
    g_pResLib = NULL;
    EXPECT_NE((HWND)NULL, hBar);
}

// --- Telling the Today item ---------------------------------------------------------------

TEST_F(Settings, TodayItemIsToldOnlyThroughALiveWindow)
{
    // No key: nothing to tell.
    NotifyTodayItem();
    Pump();
    EXPECT_EQ(0, g_nItemRefreshes);

    // A handle left behind by an item that is gone.
    HWND hGone = CreateCounterWindow();
    PublishItemWindow((DWORD)(UINT_PTR)hGone);
    DestroyWindow(hGone);
    NotifyTodayItem();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, NULL, MYMSG_ULVO_REFRESH, MYMSG_ULVO_REFRESH, PM_NOREMOVE));

    // Part of a handle, or more than one, names no window for sure.
    for (DWORD cb : { 2u, 8u })
    {
        PublishItemWindow((DWORD)(UINT_PTR)m_hItem, cb);
        NotifyTodayItem();
        EXPECT_FALSE(PeekMessageW(&msg, NULL, MYMSG_ULVO_REFRESH, MYMSG_ULVO_REFRESH, PM_NOREMOVE)) << cb;
    }

    // The live item.
    PublishItemWindow((DWORD)(UINT_PTR)m_hItem);
    NotifyTodayItem();
    Pump();
    EXPECT_EQ(1, g_nItemRefreshes);
    EXPECT_EQ(0u, g_wItemParam);
    EXPECT_EQ(0, g_lItemParam);
}

TEST_F(Settings, SaveWithoutTodayItemStillStoresAndShowsNothing)
{
    WriteConfig("<CONFIG></CONFIG>");
    MessageBoxRecorder boxes;
    DialogRun run = RunSettings([](HWND hDlg) { Tap(hDlg, IDM_SETTINGS_OK); });
    EXPECT_EQ(IDM_SETTINGS_OK, run.nResult);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_NE(std::string::npos, Config().find("<CalcMethod>1</CalcMethod>"));
}

}  // namespace
