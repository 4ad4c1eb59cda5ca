#include <gtest/gtest.h>
#include "tests/dpi_child.h"
#include <aygshell.h>
#include <objbase.h>
#include <string>
#include <vector>
#include "core/resource_library.h"
#include "tests/shell_test_ids.h"

namespace {

const wchar_t OWNER_CLASS[] = L"ShellTestOwner";
const int DESIGN_BAR_HEIGHT = 26;   // menu bar and task bar, at 96 dpi

std::vector<WPARAM> g_commands;

LRESULT CALLBACK OwnerWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

void RegisterClassOnce(const wchar_t *pszClass)
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(GetModuleHandleW(NULL), pszClass, &wc))
        return;
    wc.lpfnWndProc = OwnerWndProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc);
}

HWND CreateTopWindow(const wchar_t *pszClass, int x, int y, int cx, int cy)
{
    RegisterClassOnce(pszClass);
    return CreateWindowExW(0, pszClass, L"", WS_POPUP | WS_VISIBLE, x, y, cx, cy,
                           NULL, NULL, GetModuleHandleW(NULL), NULL);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int ScreenDpi()
{
    HDC hdc = GetDC(NULL);
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    return nDpi;
}

int ScaledBarHeight()
{
    return MulDiv(DESIGN_BAR_HEIGHT, ScreenDpi(), 96);
}

std::vector<HWND> SoftKeys(HWND hBar)
{
    std::vector<HWND> keys;
    for (HWND h = GetWindow(hBar, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        keys.push_back(h);
    return keys;
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t sz[256] = L"";
    GetWindowTextW(hWnd, sz, 256);
    return sz;
}

// Where a tap on a key lands, in the bar's client coordinates.
LPARAM KeyCentre(HWND hBar, HWND hKey)
{
    RECT rc;
    GetWindowRect(hKey, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    ScreenToClient(hBar, &pt);
    return MAKELPARAM(pt.x, pt.y);
}

void TapKey(HWND hBar, HWND hKey)
{
    LPARAM lPos = KeyCentre(hBar, hKey);
    SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
    SendMessageW(hBar, WM_LBUTTONUP, 0, lPos);
    PumpMessages();
}

// Keys pressed while the pop-up menu is open: queued before the tap, read by the menu's loop.
void QueueKeys(HWND hWnd, std::initializer_list<WPARAM> keys)
{
    for (WPARAM vk : keys)
    {
        PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
        PostMessageW(hWnd, WM_KEYUP, vk, 0xC0000001);
    }
}

class MenuBarTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_commands.clear();
        m_hOwner = CreateTopWindow(OWNER_CLASS, 0, 0, 240, 294);
        ASSERT_TRUE(m_hOwner);
    }
    void TearDown() override
    {
        if (IsWindow(m_hOwner))
            DestroyWindow(m_hOwner);
        PumpMessages();
    }
    HWND CreateBar()
    {
        EXPECT_EQ(1, m_lib.CreateMenuBar(m_hOwner, GetModuleHandleW(NULL), IDM_TEST_BAR));
        return m_lib.m_hwndMenuBar;
    }

    HWND m_hOwner = NULL;
    ResourceLibrary m_lib;
};

} // namespace

TEST_F(MenuBarTest, BarSpansTheBottomOfTheScreenAboveItsOwner)
{
    HWND hBar = CreateBar();
    ASSERT_TRUE(IsWindow(hBar));
    EXPECT_TRUE(IsWindowVisible(hBar));
    EXPECT_EQ(m_hOwner, GetWindow(hBar, GW_OWNER));

    RECT rc;
    GetWindowRect(hBar, &rc);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(cxScreen, rc.right);
    EXPECT_EQ(cyScreen, rc.bottom);
    EXPECT_EQ(ScaledBarHeight(), rc.bottom - rc.top);
}

TEST_F(MenuBarTest, KeysCarryTheMenuTextsLeftAndRight)
{
    HWND hBar = CreateBar();
    std::vector<HWND> keys = SoftKeys(hBar);
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(L"退出", TextOf(keys[0]));
    EXPECT_EQ(L"菜单", TextOf(keys[1]));

    RECT rcBar, rcLeft, rcRight;
    GetWindowRect(hBar, &rcBar);
    GetWindowRect(keys[0], &rcLeft);
    GetWindowRect(keys[1], &rcRight);
    EXPECT_EQ(rcBar.left, rcLeft.left);
    EXPECT_EQ(rcLeft.right, rcRight.left);
    EXPECT_EQ(rcBar.right, rcRight.right);
    EXPECT_TRUE(IsWindowVisible(keys[0]) && IsWindowVisible(keys[1]));
}

TEST_F(MenuBarTest, TapOnCommandKeySendsItsCommandToTheOwner)
{
    HWND hBar = CreateBar();
    std::vector<HWND> keys = SoftKeys(hBar);
    ASSERT_EQ(2u, keys.size());
    TapKey(hBar, keys[0]);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_TEST_QUIT, LOWORD(g_commands[0]));
    EXPECT_EQ(0, HIWORD(g_commands[0]));   // as from a menu
}

TEST_F(MenuBarTest, ItemChosenFromThePopupKeyReachesTheOwner)
{
    HWND hBar = CreateBar();
    std::vector<HWND> keys = SoftKeys(hBar);
    ASSERT_EQ(2u, keys.size());

    QueueKeys(m_hOwner, { VK_DOWN, VK_DOWN, VK_RETURN });   // past the separator to "关于"
    TapKey(hBar, keys[1]);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_TEST_ABOUT, LOWORD(g_commands[0]));

    g_commands.clear();
    QueueKeys(m_hOwner, { VK_DOWN, VK_RETURN });
    TapKey(hBar, keys[1]);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_TEST_SETTINGS, LOWORD(g_commands[0]));
}

TEST_F(MenuBarTest, DismissedPopupSendsNothing)
{
    HWND hBar = CreateBar();
    std::vector<HWND> keys = SoftKeys(hBar);
    ASSERT_EQ(2u, keys.size());
    QueueKeys(m_hOwner, { VK_ESCAPE });
    TapKey(hBar, keys[1]);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MenuBarTest, TapBesideTheKeysSendsNothing)
{
    HWND hBar = CreateBar();
    SendMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    PumpMessages();
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MenuBarTest, LaterBarReplacesTheRememberedOneAndFailureKeepsIt)
{
    HWND hFirst = CreateBar();
    HWND hDialog = CreateTopWindow(OWNER_CLASS, 0, 26, 240, 268);
    ASSERT_EQ(1, m_lib.CreateMenuBar(hDialog, GetModuleHandleW(NULL), IDM_TEST_BAR));
    HWND hSecond = m_lib.m_hwndMenuBar;
    EXPECT_NE(hFirst, hSecond);
    EXPECT_EQ(hDialog, GetWindow(hSecond, GW_OWNER));

    EXPECT_EQ(0, m_lib.CreateMenuBar(m_hOwner, GetModuleHandleW(NULL), IDM_TEST_MISSING));
    EXPECT_EQ(hSecond, m_lib.m_hwndMenuBar);

    DestroyWindow(hDialog);   // the bar goes with the window that owns it
    EXPECT_FALSE(IsWindow(hSecond));
    EXPECT_TRUE(IsWindow(hFirst));
}

TEST(ShellMenuBar, RefusesRecordsOfAnotherSize)
{
    HWND hOwner = CreateTopWindow(OWNER_CLASS, 0, 0, 100, 100);
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof(mbi) - 4;
    mbi.hwndParent = hOwner;
    mbi.dwFlags = SHCMBF_HMENU;
    mbi.nToolBarId = IDM_TEST_BAR;
    mbi.hInstRes = GetModuleHandleW(NULL);
    EXPECT_FALSE(SHCreateMenuBar(&mbi));
    EXPECT_EQ(NULL, mbi.hwndMB);
    DestroyWindow(hOwner);
}

// --- Full screen and the task bar ----------------------------------------------------------

namespace {

class FullScreenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hMain = CreateTopWindow(OWNER_CLASS, 20, 40, 200, 260);
        ASSERT_TRUE(m_hMain);
    }
    void TearDown() override
    {
        DestroyWindow(m_hMain);
        if (m_hTaskBar)
            DestroyWindow(m_hTaskBar);
        PumpMessages();
    }
    void MakeTaskBar()
    {
        m_hTaskBar = CreateTopWindow(TASKBAR_CLASS, 0, 0, GetSystemMetrics(SM_CXSCREEN), 26);
        ASSERT_TRUE(m_hTaskBar);
    }
    bool TaskBarShown() const { return IsWindowVisible(m_hTaskBar) && !IsIconic(m_hTaskBar); }

    HWND m_hMain = NULL;
    HWND m_hTaskBar = NULL;
    ResourceLibrary m_lib;
};

} // namespace

TEST_F(FullScreenTest, WindowMovesToTheTopLeftKeepingItsRightAndBottomEdges)
{
    MakeTaskBar();
    m_lib.SetFullScreen(m_hMain);
    RECT rc;
    GetWindowRect(m_hMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(220, rc.right);
    EXPECT_EQ(300, rc.bottom);
}

TEST_F(FullScreenTest, TaskBarStepsAsideAndComesBack)
{
    MakeTaskBar();
    ASSERT_TRUE(TaskBarShown());
    m_lib.SetFullScreen(m_hMain);
    EXPECT_FALSE(TaskBarShown());

    ResourceLibrary::ShowTaskBar();
    EXPECT_TRUE(TaskBarShown());
}

TEST_F(FullScreenTest, TaskBarComesBackWhenItWasHiddenOrMinimizedBeforeStart)
{
    MakeTaskBar();
    ShowWindow(m_hTaskBar, SW_HIDE);
    ResourceLibrary::ShowTaskBar();
    EXPECT_TRUE(TaskBarShown());

    ShowWindow(m_hTaskBar, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(m_hTaskBar));
    ResourceLibrary::ShowTaskBar();
    EXPECT_TRUE(TaskBarShown());
}

TEST_F(FullScreenTest, MissingTaskBarIsIgnored)
{
    ASSERT_EQ(NULL, FindWindowW(TASKBAR_CLASS, NULL));
    m_lib.SetFullScreen(m_hMain);
    ResourceLibrary::ShowTaskBar();
    RECT rc;
    GetWindowRect(m_hMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(300, rc.bottom);
}

TEST_F(FullScreenTest, ShellShowsTheTaskBarOnRequest)
{
    MakeTaskBar();
    EXPECT_TRUE(SHFullScreen(m_hMain, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
    EXPECT_FALSE(IsWindowVisible(m_hTaskBar));
    EXPECT_TRUE(SHFullScreen(m_hMain, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON));
    EXPECT_TRUE(TaskBarShown());
}

// --- Full-screen dialogs --------------------------------------------------------------------

namespace {

INT_PTR CALLBACK TestDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT DialogRectAfterInit(DWORD dwMask, DWORD dwFlags, BOOL *pbResult)
{
    HWND hDlg = CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_TEST_DIALOG), NULL, TestDlgProc, 0);
    SHINITDLGINFO shidi = { dwMask, hDlg, dwFlags };
    *pbResult = SHInitDialog(&shidi);
    RECT rc = {};
    GetWindowRect(hDlg, &rc);
    DestroyWindow(hDlg);
    return rc;
}

} // namespace

TEST(ShellDialog, FullScreenDialogFillsTheScreenBetweenTaskBarAndMenuBar)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    int cyBar = ScaledBarHeight();
    BOOL bResult = FALSE;

    // The settings dialog's flags, then those of About and Help.
    for (DWORD dwFlags : { (DWORD)0x24, (DWORD)0x2D, (DWORD)SHIDIF_SIZEDLG })
    {
        RECT rc = DialogRectAfterInit(SHIDIM_FLAGS, dwFlags, &bResult);
        EXPECT_TRUE(bResult);
        EXPECT_EQ(0, rc.left) << dwFlags;
        EXPECT_EQ(cyBar, rc.top) << dwFlags;
        EXPECT_EQ(cxScreen, rc.right) << dwFlags;
        EXPECT_EQ(cyScreen - cyBar, rc.bottom) << dwFlags;
    }

    RECT rc = DialogRectAfterInit(SHIDIM_FLAGS, SHIDIF_FULLSCREENNOMENUBAR, &bResult);
    EXPECT_EQ(cyBar, rc.top);
    EXPECT_EQ(cyScreen, rc.bottom);
}

TEST(ShellDialog, WithoutFlagsMaskTheDialogKeepsItsPlace)
{
    BOOL bResult = FALSE;
    RECT rcBefore = DialogRectAfterInit(SHIDIM_FLAGS, SHIDIF_DONEBUTTON, &bResult);
    RECT rc = DialogRectAfterInit(0, SHIDIF_SIZEDLGFULLSCREEN, &bResult);
    EXPECT_TRUE(bResult);
    EXPECT_TRUE(EqualRect(&rcBefore, &rc));
    EXPECT_NE(0, rc.left);
}

// --- Image resources ------------------------------------------------------------------------

// What a month picture looks like once decoded is the resource library test's; here, which
// callers and which resources get one.
TEST(ShellImage, PictureLoadsWhateverTheCallersApartment)
{
    HINSTANCE hInst = GetModuleHandleW(NULL);
    for (DWORD dwInit : { COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED })
    {
        ASSERT_EQ(S_OK, CoInitializeEx(NULL, dwInit));
        HBITMAP hbm = SHLoadImageResource(hInst, IDG_TEST_PICTURE);
        EXPECT_TRUE(hbm) << "apartment " << dwInit;
        DeleteObject(hbm);
        CoUninitialize();
    }
    // A thread without COM gets its picture too, and still has no COM after.
    HBITMAP hbm = SHLoadImageResource(hInst, IDG_TEST_PICTURE);
    EXPECT_TRUE(hbm);
    DeleteObject(hbm);
    EXPECT_EQ(S_OK, CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) << "the shell left COM started";
    CoUninitialize();
}

TEST(ShellImage, MissingOrUnreadableImageGivesNull)
{
    HINSTANCE hInst = GetModuleHandleW(NULL);
    EXPECT_EQ(NULL, SHLoadImageResource(hInst, 9999));
    EXPECT_EQ(NULL, SHLoadImageResource(hInst, IDR_TEST_PICTURE_AS_DATA));   // only the shell's image type counts
    EXPECT_EQ(NULL, SHLoadImageResource(hInst, IDG_TEST_NOT_A_PICTURE));
}

TEST(ShellMisc, InputPanelChoresSucceed)
{
    SHACTIVATEINFO sai = {};
    sai.cbSize = sizeof(sai);
    EXPECT_TRUE(SHInitExtraControls());
    EXPECT_TRUE(SHHandleWMActivate(NULL, WA_ACTIVE, 0, &sai, 0));
    EXPECT_TRUE(SHHandleWMSettingChange(NULL, 0, 0, &sai));
}

// --- Scale from the screen's resolution -------------------------------------------------------
// Each resolution is measured by a child run of this program started under it.

namespace {

struct ScaleAtDpi { int nDpi, cyBar, nShift; };

const ScaleAtDpi SCALES[] = {
    { 96, 26, 0 },
    { 131, 35, 0 },
    { 192, 52, 1 },
};

} // namespace

TEST(ShellScaleAtDpi, ShiftAndMenuBarFollowTheScreenResolution)
{
    const ScaleAtDpi *pExpected = NULL;
    for (const ScaleAtDpi &scale : SCALES)
        if (scale.nDpi == ChildDpi())
            pExpected = &scale;
    ASSERT_TRUE(pExpected != NULL) << "no expectations for " << ChildDpi() << " dpi";

    HWND hOwner = CreateTopWindow(OWNER_CLASS, 0, 0, 100, 100);
    ResourceLibrary lib;
    HDC hdc = GetDC(NULL);
    EXPECT_EQ(pExpected->nDpi, lib.InitScale(hdc));
    ReleaseDC(NULL, hdc);
    EXPECT_EQ(pExpected->nShift, g_nScaleShift);
    ASSERT_TRUE(lib.CreateMenuBar(hOwner, GetModuleHandleW(NULL), IDM_TEST_BAR));
    RECT rc = {};
    GetWindowRect(lib.m_hwndMenuBar, &rc);
    EXPECT_EQ(pExpected->cyBar, rc.bottom - rc.top);
    DestroyWindow(hOwner);
}

TEST(ShellScale, ShiftAndMenuBarFollowTheScreenResolution)
{
    LogPixelsRestorer restorer;
    for (const ScaleAtDpi &scale : SCALES)
        EXPECT_EQ(0, RunSelfAtDpi(scale.nDpi)) << scale.nDpi << " dpi";
}
