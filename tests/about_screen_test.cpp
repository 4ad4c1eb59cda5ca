// The About dialog of a running Main.exe on a real screen: portrait screens get the portrait
// layout, landscape screens the landscape one. Run by tests/on_screen.sh on a 240 x 320 and
// a 320 x 240 Xvfb screen (ULVO_SCREEN says which); Wine's headless display is always wide.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "resources/main_ids.h"
#include "tests/process_driver.h"
#include "tests/temp_dir.h"

namespace {

const DWORD WAIT_STEP_MS = 50;

struct DialogItem
{
    int nId;
    RECT rcUnits;   // left, top, width, height in dialog units, as the template has them
};

// Template 105 (portrait) and 106 (landscape), as resources/main.rc lays them out.
const DialogItem PORTRAIT[] = {
    { IDC_ABOUT_VERSION, { 14, 61, 70, 8 } },
    { IDC_ABOUT_TITLE,   { 14, 47, 99, 8 } },
    { IDC_ABOUT_NOTICE,  { 16, 73, 66, 8 } },
};
const DialogItem LANDSCAPE[] = {
    { IDC_ABOUT_VERSION, { 48, 12, 66, 8 } },
    { IDC_ABOUT_TITLE,   { 48, 24, 66, 8 } },
    { IDC_ABOUT_NOTICE,  { 16, 73, 66, 8 } },   // not in the landscape template: stays put
};

INT_PTR CALLBACK PlainDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Dialog units to pixels as Main's dialog converts them: the same template font, here.
RECT ToPixels(const RECT &rcUnits)
{
    static HWND s_hDlg;
    if (!s_hDlg)
    {
        HMODULE hMain = LoadLibraryExW((BinDir() + L"\\Main.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC hRes = hMain ? FindResourceW(hMain, MAKEINTRESOURCEW(IDD_ABOUT), (LPCWSTR)RT_DIALOG) : NULL;
        HGLOBAL hTemplate = hRes ? LoadResource(hMain, hRes) : NULL;
        if (hTemplate)
            s_hDlg = CreateDialogIndirectParamW(GetModuleHandleW(NULL), (LPCDLGTEMPLATEW)LockResource(hTemplate),
                                                NULL, PlainDlgProc, 0);
    }
    RECT rc = { rcUnits.left, rcUnits.top, rcUnits.left + rcUnits.right, rcUnits.top + rcUnits.bottom };
    MapDialogRect(s_hDlg, &rc);
    return rc;
}

struct Search
{
    DWORD dwProcessId;
    HWND hFound;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    Search *pSearch = (Search *)lParam;
    wchar_t szClass[16] = L"";
    GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pSearch->dwProcessId && lstrcmpW(szClass, L"#32770") == 0 && IsWindowVisible(hWnd))
        pSearch->hFound = hWnd;
    return !pSearch->hFound;
}

RECT ClientRectOf(HWND hDlg, int nId)
{
    RECT rc = { 0, 0, 0, 0 };
    HWND hItem = GetDlgItem(hDlg, nId);
    GetWindowRect(hItem, &rc);
    MapWindowPoints(NULL, hDlg, (POINT *)&rc, 2);
    return rc;
}

} // namespace

TEST(AboutOnScreen, TakesTheLayoutOfTheScreensOrientation)
{
    const char *pszScreen = getenv("ULVO_SCREEN");
    if (!pszScreen)
        GTEST_SKIP() << "runs on a screen of its own (tests/on_screen.sh)";
    bool bPortrait = strcmp(pszScreen, "portrait") == 0;
    ASSERT_EQ(bPortrait, GetSystemMetrics(SM_CYSCREEN) > GetSystemMetrics(SM_CXSCREEN)) << "screen is not " << pszScreen;

    TempDir dir;
    for (const wchar_t *pszName : { L"Main.exe", L"UlvoRes.dll", L"aygshell.dll" })
        ASSERT_TRUE(CopyFileW((BinDir() + L"\\" + pszName).c_str(), dir.File(pszName).c_str(), FALSE));
    ChildProcesses processes;
    HANDLE hProcess = processes.Start(dir.File(L"Main.exe"), L"", dir.Path());
    ASSERT_TRUE(hProcess != NULL);

    HWND hMain = NULL;
    for (DWORD dw = 0; dw < PROCESS_WAIT_LIMIT_MS && !hMain; dw += WAIT_STEP_MS)
    {
        hMain = FindWindowW(L"MAIN", L"Main");
        WaitPumping(NULL, WAIT_STEP_MS);
    }
    ASSERT_TRUE(hMain != NULL);
    PostMessageW(hMain, WM_COMMAND, IDM_ABOUT, 0);
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hMain, &dwProcessId);
    Search search = { dwProcessId, NULL };
    for (DWORD dw = 0; dw < PROCESS_WAIT_LIMIT_MS && !search.hFound; dw += WAIT_STEP_MS)
    {
        EnumWindows(FindDialog, (LPARAM)&search);
        WaitPumping(NULL, WAIT_STEP_MS);
    }
    HWND hDlg = search.hFound;
    ASSERT_TRUE(hDlg != NULL);
    WaitPumping(NULL, 500);

    const DialogItem *pItems = bPortrait ? PORTRAIT : LANDSCAPE;
    for (int i = 0; i < 3; ++i)
    {
        RECT rcExpected = ToPixels(pItems[i].rcUnits);
        RECT rcActual = ClientRectOf(hDlg, pItems[i].nId);
        EXPECT_EQ(rcExpected.left, rcActual.left) << "item " << pItems[i].nId;
        EXPECT_EQ(rcExpected.top, rcActual.top) << "item " << pItems[i].nId;
    }
    EXPECT_EQ(bPortrait ? L"版本号1.0" : L"Main Version 1.0", WindowText(GetDlgItem(hDlg, IDC_ABOUT_VERSION)));
    EXPECT_EQ(bPortrait ? L"孕期提醒 · 孕周与预产期" : L"仅供参考，请遵医嘱", WindowText(GetDlgItem(hDlg, IDC_ABOUT_TITLE)));

    PostMessageW(hDlg, WM_COMMAND, IDM_DIALOG_OK, 0);
    PostMessageW(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCodeOf(hProcess));
}
