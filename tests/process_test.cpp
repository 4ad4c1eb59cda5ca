// The installed set in a folder of its own, across processes: this process is the Today shell
// (the stand-in's code, with the installed ulvo.dll as its item: a window's pixels can only be
// read in its own process here), Main.exe and the refresh poster are programs of their own.
// The programs read the real clock, so stored dates are set back from today.
// Another process's image name takes the newer desktop API; the test runs on the desktop only.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "tests/test_support.h"
#include <gtest/gtest.h>
#include <regex>
#include <aygshell.h>
#include "bench/config_files.h"
#include "core/shared_names.h"
#include "main/main_window.h"
#include "platform/today/host_names.h"
#include "platform/today/today_shell.h"
#include "resources/main_ids.h"
#include "resources/ulvores_ids.h"

namespace {

// What is on the screen in a window of this process.
std::vector<COLORREF> Capture(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC hdc = GetDC(hWnd);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            pixels.push_back(GetPixel(hdc, x, y));
    ReleaseDC(hWnd, hdc);
    return pixels;
}

// A text box on Main's pages, told apart by style: the status line has neither of these.
std::wstring PageText(HWND hMain, LONG lStyle)
{
    HWND hTab = FindWindowExW(hMain, NULL, L"SysTabControl32", NULL);
    for (HWND h = FindWindowExW(hTab, NULL, L"Edit", NULL); h; h = FindWindowExW(hTab, h, L"Edit", NULL))
        if ((GetWindowLongW(h, GWL_STYLE) & (WS_VSCROLL | ES_WANTRETURN)) == lStyle)
            return WindowText(h);
    return L"";
}

std::wstring StringOf(const std::wstring &strModule, UINT nId)
{
    HMODULE hModule = LoadLibraryExW(strModule.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t sz[1024] = L"";
    LoadStringW(hModule, nId, sz, ARRAYSIZE(sz));
    FreeLibrary(hModule);
    return sz;
}

enum CloseWay { CTRL_Q, MENU_EXIT, SOFT_KEY_EXIT };

class Installed : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallDeliverables(m_dir.Path()));
        StoreStart(85);
        m_strMainClass = StringOf(MainExe(), IDS_MAIN_CLASS);
        ASSERT_TRUE(TopLevelWindows(m_strMainClass.c_str()).empty()) << "a Main.exe from elsewhere still runs";
        StartShell();
        m_hTaskBar = TopLevelWindows(TASKBAR_CLASS, GetCurrentProcessId()).at(0);
    }

    void TearDown() override { DestroyWindow(m_hShell); }

    std::wstring MainExe() const { return m_dir.File(MAIN_PROGRAM_NAME); }

    // Stores a start some days back (or the first of that month) by the 280 days; the day it went back to.
    SYSTEMTIME StoreStart(int nDaysAgo, bool bFirstOfMonth = false)
    {
        SYSTEMTIME st = LocalDateDaysAgo(nDaysAgo);
        SYSTEMTIME stStored = st;
        stStored.wDay = bFirstOfMonth ? 1 : st.wDay;
        EXPECT_TRUE(WriteWholeFile(m_dir.File(CONFIG_FILE_NAME), ConfigFile(StoredDate(stStored).c_str(), "2")));
        return st;
    }

    // The shell with the installed item laid out in its Today window.
    void StartShell()
    {
        m_hShell = StartTodayShell(GetModuleHandleW(NULL), FALSE);
        m_hItem = PublishedItemWindow();
        ASSERT_TRUE(m_hItem && GetParent(m_hItem) == FindDescendant(m_hShell, HOST_TODAY_CLASS));
        UpdateWindow(m_hShell);
    }

    // What a newly started item shows for the file as it is now: the line a refresh must reach.
    std::vector<COLORREF> FreshItem()
    {
        DestroyWindow(m_hShell);
        StartShell();
        return Capture(m_hItem);
    }

    // The item's pixels once a repaint made them differ from before.
    std::vector<COLORREF> ItemOnceChanged(const std::vector<COLORREF> &before)
    {
        std::vector<COLORREF> now;
        PumpUntil([&]() { UpdateWindow(m_hItem); now = Capture(m_hItem); return now != before; });
        return now;
    }

    // Main's window once up and waiting for input; its process is ended with the test's if it
    // still runs.
    HWND WaitForMain(HANDLE *phProcess)
    {
        std::vector<HWND> found;
        PumpUntil([&]() {
            found = TopLevelWindows(m_strMainClass.c_str());
            return !found.empty() && IsWindowVisible(found[0]);
        });
        HWND hMain = found.empty() ? NULL : found[0];
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hMain, &dwPid);
        *phProcess = m_processes.Track(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, dwPid));
        WaitForInputIdle(*phProcess, PROCESS_WAIT_LIMIT_MS);
        return hMain;
    }

    // A dialog of Main's opened by a command of its menu, once shown; null if none came.
    HWND OpenDialogOfMain(HWND hMain, HANDLE hProcess, int nCommand)
    {
        PostMessageW(hMain, WM_COMMAND, nCommand, 0);
        std::vector<HWND> dialogs;
        PumpUntil([&]() {
            dialogs = TopLevelWindows(L"#32770", GetProcessId(hProcess));
            return !dialogs.empty() && IsWindowVisible(dialogs[0]);
        });
        return dialogs.empty() ? NULL : dialogs[0];
    }

    HWND StartMain(HANDLE *phProcess)
    {
        m_processes.Start(MainExe(), L"", m_dir.Path());
        return WaitForMain(phProcess);
    }

    // Each of the user's ways out ends Main with 0, and the task bar it put away is back.
    void CloseMain(HWND hMain, HANDLE hProcess, CloseWay way)
    {
        EXPECT_TRUE(!IsWindowVisible(m_hTaskBar) || IsIconic(m_hTaskBar)) << "the task bar stayed while Main ran";
        BYTE abKeys[256];
        AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(hMain, NULL), TRUE);
        GetKeyboardState(abKeys);
        abKeys[VK_CONTROL] = way == CTRL_Q ? 0x80 : 0;
        SetKeyboardState(abKeys);
        if (way == CTRL_Q)
            PostMessageW(hMain, WM_KEYDOWN, 'Q', 0x00100001);
        else
            PostMessageW(hMain, WM_COMMAND, way == MENU_EXIT ? IDM_MENU_EXIT : IDM_SOFTKEY_EXIT, 0);
        EXPECT_EQ(0u, ExitCodeOf(hProcess)) << "way " << way;
        abKeys[VK_CONTROL] = 0;
        SetKeyboardState(abKeys);
        EXPECT_TRUE(IsWindowVisible(m_hTaskBar) && !IsIconic(m_hTaskBar)) << "way " << way;
    }

    TempDir m_dir;
    RegisteredTodayItem m_registered{ L"UlvoInstalled", m_dir.File(L"ulvo.dll") };
    std::wstring m_strMainClass;
    HWND m_hShell = NULL;
    HWND m_hItem = NULL;
    HWND m_hTaskBar = NULL;
    ChildProcesses m_processes;
};

} // namespace

TEST_F(Installed, RefreshPostedFromAnotherProcessRepaintsTheNewLine)
{
    std::vector<COLORREF> before = Capture(m_hItem);
    StoreStart(92);
    wchar_t szSelf[MAX_PATH];
    GetModuleFileNameW(NULL, szSelf, MAX_PATH);
    EXPECT_EQ(0u, ExitCodeOf(m_processes.Start(szSelf, L"--post-refresh", L"")));
    std::vector<COLORREF> after = ItemOnceChanged(before);
    EXPECT_TRUE(after == FreshItem());
}

// A start on the first of a month about a hundred days back: any other day tapped in the
// calendar, with the other method, is another week.
TEST_F(Installed, TapStartsMainWhoseSaveReachesTheFileItsPagesAndTheItem)
{
    SYSTEMTIME stStart = StoreStart(100, true);
    std::vector<COLORREF> before = Capture(m_hItem);

    SendMessageW(m_hItem, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    HANDLE hMain = NULL;
    HWND hMainWnd = WaitForMain(&hMain);
    ASSERT_TRUE(hMainWnd != NULL);
    wchar_t szImage[MAX_PATH] = L"";
    DWORD cch = MAX_PATH;
    QueryFullProcessImageNameW(hMain, 0, szImage, &cch);
    EXPECT_EQ(0, lstrcmpiW(MainExe().c_str(), szImage)) << "started from elsewhere";
    std::wstring strStatusBefore = PageText(hMainWnd, 0);

    PostMessageW(hMainWnd, WM_COMMAND, IDM_SETTINGS, 0);
    std::vector<HWND> dialogs;
    DWORD dwMainPid = GetProcessId(hMain);
    HWND hCalendar = NULL;
    ASSERT_TRUE(PumpUntil([&]() {
        dialogs = TopLevelWindows(L"#32770", dwMainPid);
        hCalendar = dialogs.empty() ? NULL : FindWindowExW(dialogs[0], NULL, L"SysMonthCal32", NULL);
        return hCalendar && IsWindowVisible(dialogs[0]);
    }));
    RECT rcCalendar;
    GetClientRect(hCalendar, &rcCalendar);
    LPARAM lPoint = MAKELPARAM(rcCalendar.right / 2, rcCalendar.bottom * 6 / 10);
    SendMessageW(hCalendar, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageW(hCalendar, WM_LBUTTONUP, 0, lPoint);
    SendMessageW(GetDlgItem(dialogs[0], IDC_RADIO_365), BM_CLICK, 0, 0);
    PostMessageW(dialogs[0], WM_COMMAND, IDM_SETTINGS_OK, 0);
    ASSERT_TRUE(PumpUntil([&]() { return !IsWindow(dialogs[0]); }));

    // The file: the tapped day of the same month, the other method; Main's first page another week.
    std::string strSaved = ReadFileBytes(m_dir.File(CONFIG_FILE_NAME));
    std::smatch date;
    ASSERT_TRUE(std::regex_search(strSaved, date, std::regex("<StartTime>(\\d+)-(\\d+)-(\\d+)</StartTime><CalcMethod>1<")))
        << strSaved;
    EXPECT_TRUE(std::stoi(date[1]) == stStart.wYear && std::stoi(date[2]) == stStart.wMonth && date[3] != "1") << strSaved;
    EXPECT_TRUE(PumpUntil([&]() { return PageText(hMainWnd, 0) != strStatusBefore; })) << "Main still shows the old week";

    // The item, told by Main, without waiting for its timer.
    std::vector<COLORREF> after = ItemOnceChanged(before);
    CloseMain(hMainWnd, hMain, MENU_EXIT);
    EXPECT_TRUE(after == FreshItem()) << "the item shows another line than the file gives";
}

TEST_F(Installed, SecondStartBringsTheFirstForwardAndEnds)
{
    HANDLE hFirst = NULL;
    HWND hMain = StartMain(&hFirst);
    ASSERT_TRUE(hMain != NULL);
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 1 天", PageText(hMain, 0));
    std::wstring strAdvice = StringOf(m_dir.File(RES_LIBRARY_NAME), IDS_ADVICE_FIRST - 1 + 12);
    EXPECT_NE(L"", strAdvice);
    EXPECT_EQ(strAdvice, PageText(hMain, WS_VSCROLL));

    HWND hFront = CreateTestWindow(L"UlvoTestFront", WS_POPUP | WS_VISIBLE, RECT{ 0, 0, 100, 100 });
    SetForegroundWindow(hFront);
    EXPECT_EQ(0u, ExitCodeOf(m_processes.Start(MainExe(), L"", m_dir.Path())));
    EXPECT_EQ(std::vector<HWND>{ hMain }, TopLevelWindows(m_strMainClass.c_str()));
    EXPECT_EQ(hMain, GetForegroundWindow());
    DestroyWindow(hFront);
    CloseMain(hMain, hFirst, CTRL_Q);
}

TEST_F(Installed, LeftSoftKeyEndsMain)
{
    HANDLE hProcess = NULL;
    HWND hMain = StartMain(&hProcess);
    ASSERT_TRUE(hMain != NULL);
    CloseMain(hMain, hProcess, SOFT_KEY_EXIT);
}

// "YYYY-MM-DD HH:MM:SS" of a local time.
static std::string Stamp(const SYSTEMTIME &st)
{
    char sz[32];
    snprintf(sz, sizeof(sz), "%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
             st.wSecond);
    return sz;
}

// A tap on the kick counter's button, then on the contraction timer's, in the running Main.exe:
// records.csv beside its config.xml holds a line for each, of the time it was made, once the
// dialog has shown it.
TEST_F(Installed, RecordTapsInMainAreWrittenToTheRecordFileBesideIt)
{
    HANDLE hProcess = NULL;
    HWND hMain = StartMain(&hProcess);
    ASSERT_TRUE(hMain != NULL);
    const struct { int nCommand, nButton, nShows; const wchar_t *pszShown; const char *pszEvent; } TAPS[] = {
        { IDM_KICKS, IDC_KICK_TAP, IDC_KICK_COUNT, L"本次有效胎动 1 次 (点击 1 次)", "kick" },
        { IDM_CONTRACTIONS, IDC_CONTRACTION_TAP, IDC_CONTRACTION_TAP, L"宫缩结束", "contraction_start" },
    };
    std::string strExpected = "time,event\r\n";
    for (const auto &t : TAPS)
    {
        HWND hDlg = OpenDialogOfMain(hMain, hProcess, t.nCommand);
        ASSERT_TRUE(hDlg != NULL);
        SYSTEMTIME stBefore, stAfter;
        GetLocalTime(&stBefore);
        SendMessageW(GetDlgItem(hDlg, t.nButton), BM_CLICK, 0, 0);
        EXPECT_EQ(t.pszShown, WindowText(GetDlgItem(hDlg, t.nShows)));
        GetLocalTime(&stAfter);

        std::string strRecords = ReadFileBytes(m_dir.File(L"records.csv"));
        ASSERT_EQ(strExpected, strRecords.substr(0, strExpected.size()));
        std::smatch line;
        std::string strNew = strRecords.substr(strExpected.size());
        ASSERT_TRUE(std::regex_match(strNew, line, std::regex("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d),(\\w+)\\r\\n")))
            << strRecords;
        EXPECT_EQ(t.pszEvent, line[2]);
        EXPECT_TRUE(line[1] >= Stamp(stBefore) && line[1] <= Stamp(stAfter)) << line[1] << " not within "
            << Stamp(stBefore) << " .. " << Stamp(stAfter);
        strExpected = strRecords;
        PostMessageW(hDlg, WM_COMMAND, IDM_DIALOG_OK, 0);
        ASSERT_TRUE(PumpUntil([&]() { return !IsWindow(hDlg); }));
    }
    CloseMain(hMain, hProcess, MENU_EXIT);
}

// A tap right after Main was closed: the closing one's window is hidden, its name still taken for
// a moment. The start waits for the name instead of bringing that window forward, and opens.
TEST_F(Installed, StartWhileTheLastOneIsClosingOpensANewOne)
{
    HANDLE hClaim = CreateMutexW(NULL, FALSE, MAIN_INSTANCE_MUTEX);
    HWND hClosing = CreateTestWindow(m_strMainClass.c_str(), WS_POPUP, RECT{ 0, 0, 100, 100 }, NULL, NULL,
                                     StringOf(MainExe(), IDS_MAIN_TITLE).c_str());
    m_processes.Start(MainExe(), L"", m_dir.Path());
    WaitPumping(NULL, 1000);    // past its first look for a window, as a rule
    DestroyWindow(hClosing);
    CloseHandle(hClaim);
    HANDLE hProcess = NULL;
    HWND hMain = WaitForMain(&hProcess);
    ASSERT_TRUE(hMain != NULL) << "the start ended without a window";
    CloseMain(hMain, hProcess, MENU_EXIT);
}

// Two taps at once: the start that finds the name taken but no window yet waits for the first
// one's window instead of opening its own.
TEST_F(Installed, StartWhileTheFirstHasNoWindowYetOpensNone)
{
    HANDLE hClaim = CreateMutexW(NULL, FALSE, MAIN_INSTANCE_MUTEX);
    HANDLE hSecond = m_processes.Start(MainExe(), L"", m_dir.Path());
    WaitPumping(NULL, 1000);    // past its first look for a window, as a rule
    HWND hFirst = CreateTestWindow(m_strMainClass.c_str(), WS_POPUP | WS_VISIBLE, RECT{ 0, 0, 100, 100 }, NULL, NULL,
                                   StringOf(MainExe(), IDS_MAIN_TITLE).c_str());
    EXPECT_EQ(0u, ExitCodeOf(hSecond));
    EXPECT_EQ(std::vector<HWND>{ hFirst }, TopLevelWindows(m_strMainClass.c_str()));
    DestroyWindow(hFirst);
    CloseHandle(hClaim);
}
