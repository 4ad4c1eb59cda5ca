#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include <todaycmn.h>
#include "platform/today/host_layout.h"
#include "platform/today/host_names.h"
#include <aygshell.h>
#include "platform/today/today_background.h"
#include "tests/temp_dir.h"
#include "tests/today_registration.h"

namespace {

const wchar_t ITEM_A[] = L"UlvoTestFakeA";
const wchar_t ITEM_B[] = L"UlvoTestFakeB";
const wchar_t ITEM_OFF[] = L"UlvoTestFakeOff";
const wchar_t ITEM_MAIL[] = L"UlvoTestFakeMail";
const wchar_t ITEM_NO_EXPORT[] = L"UlvoTestNoExport";
const wchar_t *const TEST_ITEMS[] = { ITEM_A, ITEM_B, ITEM_OFF, ITEM_MAIL, ITEM_NO_EXPORT };
const wchar_t FAKE_ITEM_CLASS[] = L"FakeTodayItem";
const DWORD WAIT_LIMIT_MS = 20000;
const DWORD POLL_MS = 100;

void RemoveTestItems()
{
    for (const wchar_t *pszName : TEST_ITEMS)
        UnregisterTodayItem(pszName);
}

void RegisterItem(const TodayItemEntry &entry)
{
    ASSERT_TRUE(RegisterTodayItem(entry)) << "cannot register the test item";
}

// The item's rectangle in the Today window's client coordinates.
RECT RectInParent(HWND hwnd)
{
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(NULL, GetParent(hwnd), (POINT *)&rc, 2);
    return rc;
}

RECT ScreenRect(HWND hwnd)
{
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return rc;
}

std::vector<std::string> Lines(const std::string &strText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    for (size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] == '\n')
        {
            lines.push_back(strText.substr(nStart, i - nStart));
            nStart = i + 1;
        }
    }
    return lines;
}

bool HasLine(const std::vector<std::string> &lines, const std::string &strLine)
{
    for (const std::string &s : lines)
        if (s == strLine)
            return true;
    return false;
}

bool HasLineStarting(const std::vector<std::string> &lines, const std::string &strPrefix)
{
    for (const std::string &s : lines)
        if (s.compare(0, strPrefix.size(), strPrefix) == 0)
            return true;
    return false;
}

std::string Hex6(COLORREF cr)
{
    char sz[16];
    _snprintf(sz, sizeof(sz) - 1, "0x%06lx", (unsigned long)cr);
    sz[sizeof(sz) - 1] = 0;
    return sz;
}

class TodayHost : public testing::Test
{
protected:
    void SetUp() override
    {
        RemoveTestItems();
        m_strLog = m_dir.File(L"items.log");
        SetEnvironmentVariableW(L"FAKE_TODAY_ITEM_LOG", m_strLog.c_str());
        m_strFakeDll = BinDir() + L"\\fake_today_item.dll";
        ZeroMemory(&m_pi, sizeof(m_pi));
    }

    void TearDown() override
    {
        if (m_pi.hProcess)
        {
            if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            {
                TerminateProcess(m_pi.hProcess, 99);
                WaitForSingleObject(m_pi.hProcess, WAIT_LIMIT_MS);
            }
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        RemoveTestItems();
        SetEnvironmentVariableW(L"FAKE_TODAY_ITEM_LOG", NULL);
    }

    void RegisterTwoItemsAndDistractors()
    {
        // Registry order A before B, but B's order value puts it on top.
        RegisterItem({ ITEM_A, m_strFakeDll, tlitCustom, 1, 201, 50 });
        RegisterItem({ ITEM_B, m_strFakeDll, tlitCustom, 1, 200, MAKELONG(30, 45) });
        RegisterItem({ ITEM_OFF, m_strFakeDll, tlitCustom, 0, 150, 20 });
        RegisterItem({ ITEM_MAIL, m_strFakeDll, tlitMail, 1, 151, 20 });
        RegisterItem({ ITEM_NO_EXPORT, L"C:\\windows\\system32\\version.dll", tlitCustom, 1, 152, 20 });
    }

    void StartHost(const wchar_t *pszArgs)
    {
        std::wstring strCmd = L"\"" + BinDir() + L"\\todayhost.exe\" " + pszArgs;
        std::vector<wchar_t> cmd(strCmd.begin(), strCmd.end());
        cmd.push_back(0);
        STARTUPINFOW si;
        ZeroMemory(&si, sizeof(si));
        si.cb = sizeof(si);
        ASSERT_TRUE(CreateProcessW(NULL, cmd.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi));
        m_hwndFrame = WaitFor([&]() {
            HWND hwnd = FindWindowW(HOST_FRAME_CLASS, NULL);
            return OwnWindow(hwnd) ? hwnd : (HWND)NULL;
        });
        ASSERT_TRUE(m_hwndFrame != NULL) << "the shell's window never appeared";
        m_hwndToday = FindWindowExW(m_hwndFrame, NULL, HOST_TODAY_CLASS, NULL);
        ASSERT_TRUE(m_hwndToday != NULL);
    }

    bool OwnWindow(HWND hwnd)
    {
        DWORD dwPid = 0;
        return hwnd && GetWindowThreadProcessId(hwnd, &dwPid) && dwPid == m_pi.dwProcessId;
    }

    template <class F> HWND WaitFor(F find)
    {
        DWORD dwStart = GetTickCount();
        for (;;)
        {
            HWND hwnd = find();
            if (hwnd || GetTickCount() - dwStart > WAIT_LIMIT_MS)
                return hwnd;
            Sleep(POLL_MS);
        }
    }

    HWND Item(const wchar_t *pszName)
    {
        return FindWindowExW(m_hwndToday, NULL, FAKE_ITEM_CLASS, pszName);
    }

    // Waits until the item is laid out at the given height.
    HWND WaitForItemHeight(const wchar_t *pszName, int cy)
    {
        return WaitFor([&]() {
            HWND hwnd = Item(pszName);
            if (!hwnd)
                return (HWND)NULL;
            RECT rc = RectInParent(hwnd);
            return rc.bottom - rc.top == cy ? hwnd : (HWND)NULL;
        });
    }

    DWORD CloseHost()
    {
        PostMessageW(m_hwndFrame, WM_CLOSE, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_pi.hProcess, WAIT_LIMIT_MS));
        DWORD dwExit = 0;
        GetExitCodeProcess(m_pi.hProcess, &dwExit);
        return dwExit;
    }

    std::vector<std::string> LogLines()
    {
        return Lines(ReadFileBytes(m_strLog));
    }

    TempDir m_dir;
    std::wstring m_strLog;
    std::wstring m_strFakeDll;
    PROCESS_INFORMATION m_pi;
    HWND m_hwndFrame = NULL;
    HWND m_hwndToday = NULL;
};

} // namespace

TEST_F(TodayHost, SignalsReadyAndShowsTaskBarAboveTodayScreen)
{
    StartHost(L"");
    ASSERT_FALSE(HasFatalFailure());

    HANDLE hReady = OpenEventW(SYNCHRONIZE, FALSE, SHELL_API_READY_EVENT);
    ASSERT_TRUE(hReady != NULL);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hReady, WAIT_LIMIT_MS));
    // Manual reset: every item that tests it finds it still set.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hReady, 0));
    CloseHandle(hReady);

    HWND hwndTaskBar = FindWindowW(TASKBAR_CLASS, NULL);
    ASSERT_TRUE(OwnWindow(hwndTaskBar));
    EXPECT_TRUE(IsWindowVisible(hwndTaskBar));
    EXPECT_TRUE(GetParent(hwndTaskBar) == NULL || GetParent(hwndTaskBar) == m_hwndFrame)
        << "the task bar is a top-level window";
    int cyTaskBar = ScaleForScreen(TASKBAR_CY_96);

    RECT rcFrame = ScreenRect(m_hwndFrame);
    RECT rcTaskBar = ScreenRect(hwndTaskBar);
    RECT rcToday = ScreenRect(m_hwndToday);
    EXPECT_EQ(0, rcFrame.left);
    EXPECT_EQ(0, rcFrame.top);
    EXPECT_EQ(240, rcFrame.right);
    EXPECT_EQ(320, rcFrame.bottom);
    EXPECT_EQ(0, rcTaskBar.top);
    EXPECT_EQ(cyTaskBar, rcTaskBar.bottom);
    EXPECT_EQ(240, rcTaskBar.right - rcTaskBar.left);
    EXPECT_EQ(cyTaskBar, rcToday.top) << "the Today screen starts under the task bar";
    EXPECT_EQ(320, rcToday.bottom);
    EXPECT_EQ(240, rcToday.right - rcToday.left);

    EXPECT_EQ(0u, CloseHost());
}

TEST_F(TodayHost, StacksEnabledCustomItemsByOrderAtTheirHeights)
{
    RegisterTwoItemsAndDistractors();
    StartHost(L"");
    ASSERT_FALSE(HasFatalFailure());

    HWND hwndA = WaitForItemHeight(ITEM_A, 50);
    ASSERT_TRUE(hwndA != NULL) << "item A never laid out at the 50 pixels it asked for";
    HWND hwndB = Item(ITEM_B);
    ASSERT_TRUE(hwndB != NULL);
    EXPECT_TRUE(GetParent(hwndA) == m_hwndToday);
    EXPECT_TRUE(GetParent(hwndB) == m_hwndToday);

    std::vector<std::string> lines = LogLines();
    EXPECT_TRUE(HasLine(lines, "init UlvoTestFakeB type=4 order=200 enabled=1 cyp=0 hinst=1 parent=TodayScreen"));
    EXPECT_TRUE(HasLine(lines, "init UlvoTestFakeA type=4 order=201 enabled=1 cyp=0 hinst=1 parent=TodayScreen"));
    EXPECT_FALSE(HasLineStarting(lines, "init UlvoTestFakeOff")) << "a disabled item is not loaded";
    EXPECT_FALSE(HasLineStarting(lines, "init UlvoTestFakeMail")) << "only custom items are loaded";
    EXPECT_TRUE(Item(ITEM_OFF) == NULL);
    EXPECT_TRUE(Item(ITEM_MAIL) == NULL);

    // B first (lower order), A right under it, both across the whole Today screen.
    RECT rcToday;
    GetClientRect(m_hwndToday, &rcToday);
    RECT rcA = RectInParent(hwndA);
    RECT rcB = RectInParent(hwndB);
    EXPECT_EQ(rcB.bottom, rcA.top);
    EXPECT_EQ(0, rcA.left);
    EXPECT_EQ(rcToday.right, rcA.right);
    EXPECT_EQ(0, rcB.left);
    EXPECT_EQ(rcToday.right, rcB.right);

    // B grows at a later query of the shell's regular polling; A moves down with it.
    ASSERT_TRUE(WaitForItemHeight(ITEM_B, 45) != NULL) << "the shell never asked again";
    rcA = RectInParent(hwndA);
    rcB = RectInParent(hwndB);
    EXPECT_EQ(rcB.bottom, rcA.top);
    EXPECT_EQ(50, rcA.bottom - rcA.top);

    EXPECT_EQ(0u, CloseHost());
}

TEST_F(TodayHost, AnswersTextColourAndPaintsBackgroundUnderTheItem)
{
    RegisterItem({ ITEM_A, m_strFakeDll, tlitCustom, 1, 201, 50 });
    RegisterItem({ ITEM_B, m_strFakeDll, tlitCustom, 1, 200, 30 });
    StartHost(L"");
    ASSERT_FALSE(HasFatalFailure());
    HWND hwndA = WaitForItemHeight(ITEM_A, 50);
    ASSERT_TRUE(hwndA != NULL);
    ASSERT_TRUE(WaitForItemHeight(ITEM_B, 30) != NULL);

    COLORREF crText = (COLORREF)SendMessageW(m_hwndToday, TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0);
    EXPECT_EQ(TODAY_TEXT_COLOR, crText);
    std::vector<std::string> lines = LogLines();
    EXPECT_TRUE(HasLine(lines, "color UlvoTestFakeA " + Hex6(crText))) << "the item sees the same colour";

    // Dark text on every row of the background.
    RECT rcToday;
    GetClientRect(m_hwndToday, &rcToday);
    for (int y = 0; y < rcToday.bottom; ++y)
    {
        COLORREF crBack = TodayBackgroundAt(y, rcToday.bottom);
        int nBack = GetRValue(crBack) + GetGValue(crBack) + GetBValue(crBack);
        int nText = GetRValue(crText) + GetGValue(crText) + GetBValue(crText);
        ASSERT_GT(nBack - nText, 3 * 128) << "row " << y;
    }

    // The background the shell painted for A is the part under A, not the Today screen's top.
    RECT rcA = RectInParent(hwndA);
    ASSERT_EQ(30, rcA.top);
    std::string strExpected = "watermark UlvoTestFakeA 1 50 " + Hex6(TodayBackgroundAt(30, rcToday.bottom)) + " "
                              + Hex6(TodayBackgroundAt(79, rcToday.bottom));
    EXPECT_TRUE(HasLine(lines, strExpected)) << strExpected;
    EXPECT_NE(TodayBackgroundAt(0, rcToday.bottom), TodayBackgroundAt(30, rcToday.bottom));

    EXPECT_EQ(0u, CloseHost());
}

TEST_F(TodayHost, ClosingDestroysItemWindowsAndUnloadsTheirLibrary)
{
    RegisterTwoItemsAndDistractors();
    StartHost(L"");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitForItemHeight(ITEM_A, 50) != NULL);

    EXPECT_EQ(0u, CloseHost());

    std::vector<std::string> lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(HasLine(lines, "destroy UlvoTestFakeA"));
    EXPECT_TRUE(HasLine(lines, "destroy UlvoTestFakeB"));
    EXPECT_EQ("detach free", lines.back()) << "the library is freed after its windows, before the process ends";
    EXPECT_FALSE(HasLine(lines, "detach exit"));
}

TEST_F(TodayHost, HighDensityScreenLaysItemsOutAcrossItsWidth)
{
    RegisterItem({ ITEM_A, m_strFakeDll, tlitCustom, 1, 201, 80 });
    RegisterItem({ ITEM_B, m_strFakeDll, tlitCustom, 1, 200, 60 });
    StartHost(L"/hidpi");
    ASSERT_FALSE(HasFatalFailure());

    RECT rcFrame = ScreenRect(m_hwndFrame);
    EXPECT_EQ(480, rcFrame.right - rcFrame.left);
    EXPECT_EQ(640, rcFrame.bottom - rcFrame.top);

    HWND hwndA = WaitForItemHeight(ITEM_A, 80);
    ASSERT_TRUE(hwndA != NULL);
    HWND hwndB = WaitForItemHeight(ITEM_B, 60);
    ASSERT_TRUE(hwndB != NULL);
    RECT rcA = RectInParent(hwndA);
    RECT rcB = RectInParent(hwndB);
    EXPECT_EQ(0, rcB.top);
    EXPECT_EQ(60, rcA.top);
    EXPECT_EQ(480, rcA.right - rcA.left);
    EXPECT_EQ(480, rcB.right - rcB.left);

    EXPECT_EQ(0u, CloseHost());
}
