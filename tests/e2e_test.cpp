// The installed set (Main.exe, ulvo.dll, UlvoRes.dll, aygshell.dll) in a directory of its own,
// driven across processes. Where the item's pixels are checked, this process plays the Today
// shell and loads the real ulvo.dll: a window's pixels can only be read in its own process here.
// The programs read the real clock, so the stored dates are set relative to today.
// Reading another process's image name takes the newer desktop API; the test is desktop-only.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include <todaycmn.h>
#include "core/pregnancy_calendar.h"
#include "core/shared_names.h"
#include "platform/today/host_names.h"
#include "tests/process_driver.h"
#include "tests/temp_dir.h"
#include "tests/today_registration.h"
#include "tests/test_today_window.h"

namespace {

const DWORD WAIT_LIMIT_MS = PROCESS_WAIT_LIMIT_MS;
const DWORD WAIT_STEP_MS = 50;
const wchar_t TEST_ITEM[] = L"UlvoEndToEnd";
const UINT CMD_SETTINGS = 32785;
const UINT CMD_MENU_EXIT = 32790;
const UINT CMD_SETTINGS_EXIT = 32792;
const UINT CMD_SETTINGS_OK = 32794;
const int RADIO_365 = 300;
const int RADIO_280 = 301;

typedef HWND (WINAPI *PFN_INITIALIZE)(TODAYLISTITEM *, HWND);

struct Search
{
    const wchar_t *pszClass;
    DWORD dwProcessId;   // a top-level window of this process only, when not 0
    HWND hFound;
};

DWORD ProcessIdOf(HWND hWnd)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    return dwPid;
}

bool Matches(HWND hWnd, Search *pSearch)
{
    wchar_t szClass[64] = L"";
    GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    return lstrcmpW(szClass, pSearch->pszClass) == 0 && IsWindowVisible(hWnd) &&
           (!pSearch->dwProcessId || ProcessIdOf(hWnd) == pSearch->dwProcessId);
}

BOOL CALLBACK SearchChild(HWND hWnd, LPARAM lParam)
{
    Search *pSearch = (Search *)lParam;
    if (Matches(hWnd, pSearch))
        pSearch->hFound = hWnd;
    return !pSearch->hFound;
}

BOOL CALLBACK SearchTop(HWND hWnd, LPARAM lParam)
{
    Search *pSearch = (Search *)lParam;
    if (Matches(hWnd, pSearch))
        pSearch->hFound = hWnd;
    else if (!pSearch->dwProcessId)
        EnumChildWindows(hWnd, SearchChild, lParam);
    return !pSearch->hFound;
}

// A visible window of the class anywhere (or a top-level one of that process), waited for.
HWND WaitForWindow(const wchar_t *pszClass, DWORD dwProcessId = 0)
{
    for (DWORD dwWaited = 0; dwWaited < WAIT_LIMIT_MS; dwWaited += WAIT_STEP_MS)
    {
        Search search = { pszClass, dwProcessId, NULL };
        EnumWindows(SearchTop, (LPARAM)&search);
        if (search.hFound)
            return search.hFound;
        WaitPumping(NULL, WAIT_STEP_MS);
    }
    return NULL;
}

// The first page's status line of the main window (empty while it is still being built).
HWND StatusLineOf(HWND hMain)
{
    HWND hTab = FindWindowExW(hMain, NULL, L"SysTabControl32", NULL);
    for (HWND h = FindWindowExW(hTab, NULL, L"Edit", NULL); h; h = FindWindowExW(hTab, h, L"Edit", NULL))
        if (!(GetWindowLongW(h, GWL_STYLE) & (WS_VSCROLL | ES_WANTRETURN)))
            return h;
    return NULL;
}

std::wstring ProcessImage(HANDLE hProcess)
{
    wchar_t sz[MAX_PATH] = L"";
    DWORD cch = MAX_PATH;
    QueryFullProcessImageNameW(hProcess, 0, sz, &cch);
    return sz;
}

HANDLE ProcessOf(HWND hWnd)
{
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, ProcessIdOf(hWnd));
}

SYSTEMTIME DaysBefore(const SYSTEMTIME &st, int nDays)
{
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    u.QuadPart -= (ULONGLONG)nDays * 24 * 3600 * 10000000ULL;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SYSTEMTIME stResult;
    FileTimeToSystemTime(&ft, &stResult);
    return stResult;
}

std::string DateText(const SYSTEMTIME &st)
{
    char sz[32];
    _snprintf(sz, 31, "%d-%d-%d", st.wYear, st.wMonth, st.wDay);
    sz[31] = 0;
    return sz;
}

std::string ConfigXml(const std::string &strStart, const char *pszMethod)
{
    return "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG><StartTime>" + strStart +
           "</StartTime><CalcMethod>" + pszMethod + "</CalcMethod></CONFIG>\r\n";
}

std::string Between(const std::string &str, const std::string &strOpen, const std::string &strClose)
{
    size_t nStart = str.find(strOpen);
    if (nStart == std::string::npos)
        return "";
    nStart += strOpen.size();
    size_t nEnd = str.find(strClose, nStart);
    return nEnd == std::string::npos ? "" : str.substr(nStart, nEnd - nStart);
}

// What is on the screen in the window, pixel by pixel.
std::vector<DWORD> Capture(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    int cx = rc.right, cy = rc.bottom;
    std::vector<DWORD> pixels((size_t)cx * cy);
    HDC hdcWindow = GetDC(hWnd);
    HDC hdc = CreateCompatibleDC(hdcWindow);
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void *pBits = NULL;
    HBITMAP hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    BitBlt(hdc, 0, 0, cx, cy, hdcWindow, 0, 0, SRCCOPY);
    GdiFlush();
    if (pBits && !pixels.empty())
        memcpy(&pixels[0], pBits, pixels.size() * 4);
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    ReleaseDC(hWnd, hdcWindow);
    return pixels;
}

class Installed : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const wchar_t *pszName : { L"Main.exe", L"ulvo.dll", L"UlvoRes.dll", L"aygshell.dll" })
            ASSERT_TRUE(CopyFileW((BinDir() + L"\\" + pszName).c_str(), m_dir.File(pszName).c_str(), FALSE));
        // A tap would bring forward a main program already running instead of starting ours.
        ASSERT_TRUE(FindWindowW(L"MAIN", NULL) == NULL) << "a Main.exe from elsewhere is still running";
        GetLocalTime(&m_stToday);
        m_hReady = CreateEventW(NULL, TRUE, TRUE, SHELL_API_READY_EVENT);
    }

    void TearDown() override
    {
        if (m_hToday)
            DestroyWindow(m_hToday);
        if (m_hItemLib)
            FreeLibrary(m_hItemLib);
        CloseHandle(m_hReady);
        UnregisterTodayItem(TEST_ITEM);
    }

    void WriteConfig(const std::string &strXml) { ASSERT_TRUE(WriteFileBytes(m_dir.File(L"config.xml"), strXml)); }
    std::string ReadConfig() { return ReadFileBytes(m_dir.File(L"config.xml")); }

    HANDLE Start(const std::wstring &strExe, const std::wstring &strArgs)
    {
        return m_processes.Start(strExe, strArgs, m_dir.Path());
    }

    // This process as the Today shell: the real ulvo.dll from the install directory, laid out
    // at the top of a Today window 240 pixels wide.
    HWND HostItem()
    {
        if (!m_hToday)
        {
            m_hToday = CreateTestTodayWindow(0, 26, 240, 268);
            m_hItemLib = LoadLibraryW(m_dir.File(L"ulvo.dll").c_str());
        }
        PFN_INITIALIZE pfnInitialize =
            m_hItemLib ? (PFN_INITIALIZE)(void *)GetProcAddress(m_hItemLib, (LPCSTR)MAKEINTRESOURCEA(240)) : NULL;
        if (!pfnInitialize)
            return NULL;
        TODAYLISTITEM item;
        ZeroMemory(&item, sizeof(item));
        HWND hItem = pfnInitialize(&item, m_hToday);
        SendMessageW(hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0);
        MoveWindow(hItem, 0, 0, 240, item.cyp, TRUE);
        UpdateWindow(hItem);
        return hItem;
    }

    // What a freshly started item shows for the file as it is now: the line a refresh must reach.
    std::vector<DWORD> FreshItemPixels(HWND hOldItem)
    {
        DestroyWindow(hOldItem);
        HWND hItem = HostItem();
        std::vector<DWORD> pixels = Capture(hItem);
        DestroyWindow(hItem);
        return pixels;
    }

    HWND TapAndWaitForMain(HWND hItem, HANDLE *phMain)
    {
        PostMessageW(hItem, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 20));
        PostMessageW(hItem, WM_LBUTTONUP, 0, MAKELPARAM(120, 20));
        HWND hMain = WaitForWindow(L"MAIN");
        *phMain = hMain ? m_processes.Track(ProcessOf(hMain)) : NULL;
        if (*phMain)
            WaitForInputIdle(*phMain, 10000);
        return hMain;
    }

    TempDir m_dir;
    SYSTEMTIME m_stToday;
    HANDLE m_hReady = NULL;
    HWND m_hToday = NULL;
    HMODULE m_hItemLib = NULL;
    ChildProcesses m_processes;
};

} // namespace

TEST_F(Installed, TodayScreenShowsTheItemAndATapStartsMainFromTheInstallDirectory)
{
    WriteConfig(ConfigXml(DateText(DaysBefore(m_stToday, 85)), "2"));
    ASSERT_TRUE(RegisterTodayItem({ TEST_ITEM, m_dir.File(L"ulvo.dll"), tlitCustom, 1, 0, 0 }));

    HANDLE hHost = Start(BinDir() + L"\\todayhost.exe", L"");
    ASSERT_TRUE(hHost != NULL);
    HWND hItem = WaitForWindow(L"Ulvo");
    ASSERT_TRUE(hItem != NULL);

    wchar_t szParentClass[64] = L"";
    GetClassNameW(GetParent(hItem), szParentClass, ARRAYSIZE(szParentClass));
    EXPECT_STREQ(HOST_TODAY_CLASS, szParentClass);

    DWORD dwValue = 0, cb = sizeof(dwValue);
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey));
    RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, NULL, (BYTE *)&dwValue, &cb);
    RegCloseKey(hKey);
    EXPECT_EQ((DWORD)(ULONG_PTR)hItem, dwValue);

    // The shell lays the item out at the height it asked for.
    RECT rc = { 0, 0, 0, 0 };
    for (DWORD dwWaited = 0; dwWaited < WAIT_LIMIT_MS && rc.bottom - rc.top != 40; dwWaited += WAIT_STEP_MS)
    {
        GetWindowRect(hItem, &rc);
        WaitPumping(NULL, WAIT_STEP_MS);
    }
    EXPECT_EQ(40, rc.bottom - rc.top);

    HANDLE hMain = NULL;
    HWND hMainWnd = TapAndWaitForMain(hItem, &hMain);
    ASSERT_TRUE(hMainWnd != NULL);
    ASSERT_TRUE(hMain != NULL);
    EXPECT_EQ(0, lstrcmpiW(m_dir.File(L"Main.exe").c_str(), ProcessImage(hMain).c_str())) << ProcessImage(hMain).c_str();
    std::wstring strStatus;
    for (DWORD dw = 0; dw < WAIT_LIMIT_MS && strStatus.empty(); dw += WAIT_STEP_MS)
    {
        strStatus = WindowText(StatusLineOf(hMainWnd));
        WaitPumping(NULL, WAIT_STEP_MS);
    }
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 1 天", strStatus);

    PostMessageW(hMainWnd, WM_COMMAND, CMD_MENU_EXIT, 0);
    EXPECT_EQ(0u, ExitCodeOf(hMain));

    PostMessageW(FindWindowW(HOST_FRAME_CLASS, NULL), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeOf(hHost));
}

TEST_F(Installed, RefreshFromAnotherProcessRepaintsTheNewLine)
{
    WriteConfig(ConfigXml(DateText(DaysBefore(m_stToday, 85)), "2"));
    HWND hItem = HostItem();
    ASSERT_TRUE(hItem != NULL);
    std::vector<DWORD> before = Capture(hItem);

    // The file changes; the line stays until someone asks for a refresh.
    WriteConfig(ConfigXml(DateText(DaysBefore(m_stToday, 92)), "2"));
    WaitPumping(NULL, 300);
    UpdateWindow(hItem);
    EXPECT_TRUE(before == Capture(hItem));

    wchar_t szSelf[MAX_PATH];
    GetModuleFileNameW(NULL, szSelf, MAX_PATH);
    HANDLE hPoster = Start(szSelf, L"--post-refresh");
    ASSERT_TRUE(hPoster != NULL);
    EXPECT_EQ(0u, ExitCodeOf(hPoster));
    WaitPumping(NULL, 300);
    UpdateWindow(hItem);
    std::vector<DWORD> after = Capture(hItem);

    EXPECT_FALSE(before == after);
    EXPECT_TRUE(after == FreshItemPixels(hItem));
}

TEST_F(Installed, SettingsSaveReachesTheFileTheMainPagesAndTheItem)
{
    // A start on the first of a month about a hundred days back: any other day picked in the
    // calendar, with the other method, is a different week.
    SYSTEMTIME stStart = DaysBefore(m_stToday, 100);
    stStart = DaysBefore(stStart, stStart.wDay - 1);
    std::string strConfig = ConfigXml(DateText(stStart), "2");
    WriteConfig(strConfig);

    HWND hItem = HostItem();
    ASSERT_TRUE(hItem != NULL);
    std::vector<DWORD> before = Capture(hItem);
    HANDLE hMain = NULL;
    HWND hMainWnd = TapAndWaitForMain(hItem, &hMain);
    ASSERT_TRUE(hMainWnd != NULL);
    std::wstring strStatusBefore = WindowText(StatusLineOf(hMainWnd));

    // "退出" leaves everything as it was.
    PostMessageW(hMainWnd, WM_COMMAND, CMD_SETTINGS, 0);
    HWND hDlg = WaitForWindow(L"#32770", ProcessIdOf(hMainWnd));
    ASSERT_TRUE(hDlg != NULL);
    SendMessageW(GetDlgItem(hDlg, RADIO_365), BM_CLICK, 0, 0);
    PostMessageW(hDlg, WM_COMMAND, CMD_SETTINGS_EXIT, 0);
    for (DWORD dw = 0; dw < WAIT_LIMIT_MS && IsWindow(hDlg); dw += WAIT_STEP_MS)
        WaitPumping(NULL, WAIT_STEP_MS);
    ASSERT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(strConfig, ReadConfig());

    // A day tapped in the calendar, the other method, "确定".
    PostMessageW(hMainWnd, WM_COMMAND, CMD_SETTINGS, 0);
    hDlg = WaitForWindow(L"#32770", ProcessIdOf(hMainWnd));
    ASSERT_TRUE(hDlg != NULL);
    HWND hCalendar = FindWindowExW(hDlg, NULL, L"SysMonthCal32", NULL);
    ASSERT_TRUE(hCalendar != NULL);
    RECT rcCal;
    GetClientRect(hCalendar, &rcCal);
    LPARAM lPoint = MAKELPARAM(rcCal.right / 2, rcCal.bottom * 6 / 10);
    SendMessageW(hCalendar, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageW(hCalendar, WM_LBUTTONUP, 0, lPoint);
    SendMessageW(GetDlgItem(hDlg, RADIO_365), BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(GetDlgItem(hDlg, RADIO_365), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(hDlg, RADIO_280), BM_GETCHECK, 0, 0));
    PostMessageW(hDlg, WM_COMMAND, CMD_SETTINGS_OK, 0);
    for (DWORD dw = 0; dw < WAIT_LIMIT_MS && IsWindow(hDlg); dw += WAIT_STEP_MS)
        WaitPumping(NULL, WAIT_STEP_MS);
    ASSERT_FALSE(IsWindow(hDlg));

    // The file: the tapped day and method 1, in that order.
    std::string strSaved = ReadConfig();
    std::string strDate = Between(strSaved, "<StartTime>", "</StartTime>");
    EXPECT_EQ("1", Between(strSaved, "<CalcMethod>", "</CalcMethod>"));
    EXPECT_LT(strSaved.find("<StartTime>"), strSaved.find("<CalcMethod>"));
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(3, sscanf(strDate.c_str(), "%d-%d-%d", &y, &m, &d)) << strSaved;
    EXPECT_EQ(stStart.wYear, y);
    EXPECT_EQ(stStart.wMonth, m);
    EXPECT_NE(1, d) << "the tap did not move the calendar's day";

    // The main window's first page.
    WaitPumping(NULL, 300);
    std::wstring strStatusAfter = WindowText(StatusLineOf(hMainWnd));
    EXPECT_NE(strStatusBefore, strStatusAfter);
    std::wstring strWide(strDate.begin(), strDate.end());
    PregnancyCalendar calendar;
    calendar.SetCalcMethod(CALC_BY_365);
    ASSERT_EQ(PS_PREGNANT, calendar.Classify(strWide.c_str()));
    WCHAR *pszWeek = calendar.GetWeekText();
    EXPECT_EQ(std::wstring(L"今天是您怀孕的") + pszWeek, strStatusAfter);
    calendar.FreeText(pszWeek);

    // The item, told by the main program, without waiting for its timer.
    WaitPumping(NULL, 300);
    UpdateWindow(hItem);
    std::vector<DWORD> after = Capture(hItem);
    EXPECT_FALSE(before == after);

    PostMessageW(hMainWnd, WM_COMMAND, CMD_MENU_EXIT, 0);
    EXPECT_EQ(0u, ExitCodeOf(hMain));
    EXPECT_TRUE(after == FreshItemPixels(hItem));
}
