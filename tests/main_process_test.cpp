// Main.exe run as a program from a copy of the install set, driven from this process the
// way the Today item and the user reach it: a second start, the page texts read from
// outside, and each way of closing it.
#include "main/main_window.h"
#include "tests/process_driver.h"
#include "tests/temp_dir.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT CMD_MENU_EXIT = 32790;   // "菜单" -> "退出"
const UINT WAIT_STEP_MS = 50;
const DWORD WAIT_LIMIT_MS = PROCESS_WAIT_LIMIT_MS;

struct FoundWindows
{
    const wchar_t *pszClass;
    HWND hWndOwner;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    FoundWindows *pFound = (FoundWindows *)lParam;
    wchar_t szClass[64] = L"";
    GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    if (lstrcmpW(szClass, pFound->pszClass) == 0
        && (!pFound->hWndOwner || GetWindow(hWnd, GW_OWNER) == pFound->hWndOwner))
        pFound->windows.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(const wchar_t *pszClass, HWND hWndOwner = NULL)
{
    FoundWindows found = { pszClass, hWndOwner, {} };
    EnumWindows(CollectWindow, (LPARAM)&found);
    return found.windows;
}

// The full-screen program hides or minimizes the task bar; at its end it is back in place.
bool IsPutAway(HWND hWnd)
{
    return !IsWindowVisible(hWnd) || IsIconic(hWnd);
}

bool IsShown(HWND hWnd)
{
    return IsWindowVisible(hWnd) && !IsIconic(hWnd);
}

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND CreatePlainWindow(const wchar_t *pszClass, DWORD dwStyle)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = PlainWndProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc);
    return CreateWindowExW(0, pszClass, pszClass, dwStyle, 0, 0, 240, 26, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
}

// Today less a number of days, as the settings dialog stores a date.
std::string DaysAgo(int nDays, SYSTEMTIME *pst)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    st.wHour = 12;
    st.wMinute = st.wSecond = st.wMilliseconds = 0;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u = { { ft.dwLowDateTime, ft.dwHighDateTime } };
    u.QuadPart -= (ULONGLONG)nDays * 24 * 3600 * 10000000ULL;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    FileTimeToSystemTime(&ft, pst);
    char sz[32];
    snprintf(sz, sizeof(sz), "%d-%d-%d", pst->wYear, pst->wMonth, pst->wDay);
    return sz;
}

std::wstring DueDateLine(const SYSTEMTIME &stStart)
{
    FILETIME ft;
    SystemTimeToFileTime(&stStart, &ft);
    ULARGE_INTEGER u = { { ft.dwLowDateTime, ft.dwHighDateTime } };
    u.QuadPart += 280ULL * 24 * 3600 * 10000000ULL;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    wchar_t sz[64];
    _snwprintf(sz, ARRAYSIZE(sz) - 1, L"您的预产期: %d 年 %d 月 %d 日", st.wYear, st.wMonth, st.wDay);
    sz[ARRAYSIZE(sz) - 1] = 0;
    return sz;
}

} // namespace

class MainProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const wchar_t *pszFile : { L"Main.exe", L"aygshell.dll", L"UlvoRes.dll" })
            ASSERT_TRUE(CopyFileW((BinDir() + L"\\" + pszFile).c_str(), m_dir.File(pszFile).c_str(), FALSE))
                << "missing " << testing::PrintToString(std::wstring(pszFile));
        // A hundred days in: week 14, day 2, whatever today is.
        std::string strStart = DaysAgo(100, &m_stStart);
        ASSERT_TRUE(WriteFileBytes(m_dir.File(L"config.xml"),
            "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG><StartTime>" + strStart
            + "</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n"));
    }

    HANDLE Launch()
    {
        return m_processes.Start(m_dir.File(L"Main.exe"), L"", m_dir.Path());
    }

    // Starts Main.exe and waits for its window to come up.
    HWND StartMain(HANDLE *phProcess)
    {
        *phProcess = Launch();
        if (!*phProcess)
            return NULL;
        for (DWORD dwWaited = 0; dwWaited < WAIT_LIMIT_MS; dwWaited += WAIT_STEP_MS)
        {
            HWND hWnd = FindWindowW(L"MAIN", L"Main");
            if (hWnd && IsWindowVisible(hWnd))
            {
                WaitForInputIdle(*phProcess, 10000);
                return hWnd;
            }
            if (WaitPumping(*phProcess, WAIT_STEP_MS))
                return NULL;
        }
        return NULL;
    }

    TempDir m_dir;
    SYSTEMTIME m_stStart;
    ChildProcesses m_processes;
};

TEST_F(MainProgram, SecondStartBringsTheFirstForwardAndEnds)
{
    HANDLE hFirst;
    HWND hWnd = StartMain(&hFirst);
    ASSERT_TRUE(hWnd != NULL);

    // Something else in front, as when the Today screen is tapped.
    HWND hOther = CreatePlainWindow(L"UlvoTestFront", WS_POPUP | WS_VISIBLE);
    SetForegroundWindow(hOther);
    WaitPumping(NULL, 200);

    HANDLE hSecond = Launch();
    ASSERT_TRUE(hSecond != NULL);
    EXPECT_EQ(0u, ExitCodeOf(hSecond));
    EXPECT_EQ(1u, TopLevelWindows(L"MAIN").size());
    EXPECT_EQ(hWnd, GetForegroundWindow());
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(hFirst, 0));
    DestroyWindow(hOther);

    PostMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeOf(hFirst));
}

// Two taps at the same moment: the start that finds the first one still without a window waits
// for it and brings it forward instead of opening a second one.
TEST_F(MainProgram, StartWhileTheFirstHasNoWindowYetOpensNone)
{
    HANDLE hFirstClaim = CreateMutexW(NULL, FALSE, MAIN_INSTANCE_MUTEX);
    ASSERT_TRUE(hFirstClaim != NULL);
    HANDLE hSecond = Launch();
    ASSERT_TRUE(hSecond != NULL);
    WaitPumping(NULL, 1500);

    HWND hFirst = CreatePlainWindow(L"MAIN", WS_POPUP | WS_VISIBLE);
    SetWindowTextW(hFirst, L"Main");
    EXPECT_EQ(0u, ExitCodeOf(hSecond));
    EXPECT_EQ(std::vector<HWND>{ hFirst }, TopLevelWindows(L"MAIN"));
    DestroyWindow(hFirst);
    CloseHandle(hFirstClaim);
}

TEST_F(MainProgram, PagesReadFromAnotherProcess)
{
    HANDLE hProcess;
    HWND hWnd = StartMain(&hProcess);
    ASSERT_TRUE(hWnd != NULL);
    HWND hTab = FindWindowExW(hWnd, NULL, L"SysTabControl32", NULL);
    ASSERT_TRUE(hTab != NULL);

    HWND hStatus = NULL, hAdvice = NULL, hDueDate = NULL;
    for (HWND hChild = FindWindowExW(hTab, NULL, L"Edit", NULL); hChild;
         hChild = FindWindowExW(hTab, hChild, L"Edit", NULL))
    {
        LONG lStyle = GetWindowLongW(hChild, GWL_STYLE);
        if (lStyle & WS_VSCROLL)
            hAdvice = hChild;
        else if (lStyle & ES_WANTRETURN)
            hDueDate = hChild;
        else
            hStatus = hChild;
    }
    ASSERT_TRUE(hStatus && hAdvice && hDueDate);

    EXPECT_EQ(L"今天是您怀孕的孕周: 14 周 2 天", WindowText(hStatus));
    HMODULE hRes = LoadLibraryExW(m_dir.File(L"UlvoRes.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hRes != NULL);
    wchar_t szAdvice[1024] = L"";
    LoadStringW(hRes, 102 + 14, szAdvice, ARRAYSIZE(szAdvice));
    FreeLibrary(hRes);
    EXPECT_NE(L"", std::wstring(szAdvice));
    EXPECT_EQ(szAdvice, WindowText(hAdvice));
    EXPECT_EQ(DueDateLine(m_stStart), WindowText(hDueDate));

    PostMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeOf(hProcess));
}

TEST_F(MainProgram, CtrlQEndsWithCodeZeroAndTheTaskBarBack)
{
    HWND hTaskBar = CreatePlainWindow(L"HHTaskBar", WS_POPUP);
    HANDLE hProcess;
    HWND hWnd = StartMain(&hProcess);
    ASSERT_TRUE(hWnd != NULL);
    EXPECT_TRUE(IsPutAway(hTaskBar));

    // The control key held in the program's input state while Q arrives.
    DWORD dwThread = GetWindowThreadProcessId(hWnd, NULL);
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), dwThread, TRUE));
    BYTE abKeys[256];
    GetKeyboardState(abKeys);
    abKeys[VK_CONTROL] = 0x80;
    SetKeyboardState(abKeys);
    PostMessageW(hWnd, WM_KEYDOWN, 'Q', 0x00100001);
    EXPECT_EQ(0u, ExitCodeOf(hProcess));
    abKeys[VK_CONTROL] = 0;
    SetKeyboardState(abKeys);

    EXPECT_TRUE(IsShown(hTaskBar));
    EXPECT_TRUE(TopLevelWindows(L"MAIN").empty());
    DestroyWindow(hTaskBar);
}

TEST_F(MainProgram, MenuExitEndsWithCodeZeroAndTheTaskBarBack)
{
    HWND hTaskBar = CreatePlainWindow(L"HHTaskBar", WS_POPUP);
    HANDLE hProcess;
    HWND hWnd = StartMain(&hProcess);
    ASSERT_TRUE(hWnd != NULL);
    PostMessageW(hWnd, WM_COMMAND, CMD_MENU_EXIT, 0);
    EXPECT_EQ(0u, ExitCodeOf(hProcess));
    EXPECT_TRUE(IsShown(hTaskBar));
    DestroyWindow(hTaskBar);
}

TEST_F(MainProgram, LeftSoftKeyEndsWithCodeZeroAndTheTaskBarBack)
{
    HWND hTaskBar = CreatePlainWindow(L"HHTaskBar", WS_POPUP);
    HANDLE hProcess;
    HWND hWnd = StartMain(&hProcess);
    ASSERT_TRUE(hWnd != NULL);

    // The soft-key bar belongs to the main window; its left key is "退出".
    std::vector<HWND> bars = TopLevelWindows(L"menu_worker", hWnd);
    ASSERT_EQ(1u, bars.size());
    HWND hLeftKey = GetWindow(bars[0], GW_CHILD);
    while (hLeftKey && GetWindow(hLeftKey, GW_HWNDNEXT) && GetDlgCtrlID(hLeftKey) != 1)
        hLeftKey = GetWindow(hLeftKey, GW_HWNDNEXT);
    ASSERT_TRUE(hLeftKey != NULL);
    EXPECT_EQ(L"退出", WindowText(hLeftKey));
    PostMessageW(bars[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(bars[0], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    EXPECT_EQ(0u, ExitCodeOf(hProcess));
    EXPECT_TRUE(IsShown(hTaskBar));
    DestroyWindow(hTaskBar);
}
