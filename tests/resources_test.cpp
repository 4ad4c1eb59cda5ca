// UlvoRes.dll as the programs meet it through ResourceLibrary, and the shell stand-in as the main
// program drives it, with the main program's own menu bars and dialogs.
#include <gtest/gtest.h>
#include <aygshell.h>
#include <objbase.h>
#include <regex>
#include <set>
#include "core/debug_log.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "platform/aygshell/shell_metrics.h"
#include "platform/display_density.h"
#include "resources/images/month_pictures.h"
#include "resources/main_ids.h"
#include "resources/ulvores_ids.h"
#include "tests/test_support.h"

namespace {

// Blocks in use on the process heap, where the core takes its text buffers (the C runtime and
// the test framework keep a heap of their own).
int HeapBlocks()
{
    PROCESS_HEAP_ENTRY entry = {};
    int nBusy = 0;
    while (HeapWalk(GetProcessHeap(), &entry))
        nBusy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
    return nBusy;
}

// The library as the main program loads it: by its bare name, from beside the program.
struct UlvoResTest : testing::Test
{
    void SetUp() override { ASSERT_EQ(1, m_lib.LoadResLibrary(RES_LIBRARY_NAME)); }
    void TearDown() override { m_lib.FreeResLibrary(); }
    ResourceLibrary m_lib;
};

} // namespace

TEST_F(UlvoResTest, EachWeekHasItsOwnChineseAdviceAboutThatWeek)
{
    std::set<std::wstring> texts;
    for (int nWeek = 1; nWeek <= ULVO_ADVICE_LAST_WEEK; ++nWeek)
    {
        WCHAR *psz = m_lib.LoadResString(IDS_ADVICE_FIRST - 1 + nWeek);
        std::wstring str = psz ? psz : L"";
        texts.insert(str);
        m_lib.FreeText(psz);
        // Weeks 0 and 1 share the first text. A screen or two, nothing of the script's escaping left.
        EXPECT_EQ(0u, str.find(nWeek == 1 ? L"孕0～1周：" : L"孕" + std::to_wstring(nWeek) + L"周：")) << str;
        EXPECT_TRUE(str.size() >= 80 && str.size() <= 300 && str.find(L"\"\"") == str.npos && str.find(L'\\') == str.npos) << str;
    }
    EXPECT_EQ((size_t)ULVO_ADVICE_LAST_WEEK, texts.size());
    // None before the weeks or after the last text, and a missing one keeps no buffer; a loaded one
    // is the caller's.
    int nBlocks = HeapBlocks();
    EXPECT_TRUE(m_lib.LoadResString(IDS_ADVICE_FIRST - 1) == NULL && m_lib.LoadResString(IDS_CHECKUP_CONTENTS_LAST + 1) == NULL);
    EXPECT_EQ(nBlocks, HeapBlocks());
    WCHAR *pszText = m_lib.LoadResString(IDS_ADVICE_FIRST);
    EXPECT_EQ(nBlocks + 1, HeapBlocks());
    m_lib.FreeText(pszText);
}

// The shell decodes each month's picture, at both densities, at the size and in the colours the
// generator read back from its GIF file, whatever the caller's COM apartment, and leaves a thread
// without COM so.
TEST_F(UlvoResTest, MonthPicturesDecodeThroughTheShellAsDrawn)
{
    ASSERT_EQ((size_t)(IDB_MONTH_LAST - IDB_MONTH_FIRST + 1), ARRAYSIZE(MONTH_PICTURE_SOURCES));
    ASSERT_EQ((size_t)(IDB_MONTH_LAST_192 - IDB_MONTH_FIRST_192 + 1), ARRAYSIZE(MONTH_PICTURE_SOURCES_192));
    const struct { const MonthPictureSource *pSources; UINT nFirstId, nLastId; } SETS[] = {
        { MONTH_PICTURE_SOURCES, IDB_MONTH_FIRST, IDB_MONTH_LAST },
        { MONTH_PICTURE_SOURCES_192, IDB_MONTH_FIRST_192, IDB_MONTH_LAST_192 } };
    HDC hdc = CreateCompatibleDC(NULL);
    for (int nApartment : { -1, (int)COINIT_APARTMENTTHREADED, (int)COINIT_MULTITHREADED })
    {
        ASSERT_EQ(S_OK, nApartment < 0 ? S_OK : CoInitializeEx(NULL, nApartment));
        for (const auto &set : SETS)
        {
            for (UINT i = 0; i <= set.nLastId - set.nFirstId; i++)
            {
                const MonthPictureSource &source = set.pSources[i];
                SCOPED_TRACE(testing::Message() << source.pszFile << ", apartment " << nApartment);
                HBITMAP hbm = SHLoadImageResource(m_lib.m_hResModule, set.nFirstId + i);
                BITMAP bm = {};
                ASSERT_TRUE(hbm && GetObjectW(hbm, sizeof(bm), &bm));
                EXPECT_TRUE(bm.bmWidth == source.cx && bm.bmHeight == source.cy) << bm.bmWidth << " x " << bm.bmHeight;
                HGDIOBJ hOld = SelectObject(hdc, hbm);
                for (const MonthPicturePoint &pt : source.points)
                    EXPECT_EQ(RGB(pt.rgb >> 16, (pt.rgb >> 8) & 0xFF, pt.rgb & 0xFF), GetPixel(hdc, pt.x, pt.y))
                        << pt.x << "," << pt.y;
                DeleteObject(SelectObject(hdc, hOld));
            }
        }
        // After the thread without: starting COM now is the first start, not a second one.
        EXPECT_EQ(S_OK, nApartment < 0 ? CoInitializeEx(NULL, COINIT_APARTMENTTHREADED) : S_OK) << "the shell left COM started";
        CoUninitialize();
    }
    DeleteDC(hdc);
    for (UINT nId : { IDB_MONTH_FIRST - 1, IDB_MONTH_LAST + 1, IDB_MONTH_FIRST_192 - 1, IDB_MONTH_LAST_192 + 1 })
        EXPECT_FALSE(SHLoadImageResource(m_lib.m_hResModule, nId)) << nId;
}

// The picture for a screen whose layout lengths are shifted: from 192 dpi up the one drawn for
// 192, where the library has it; otherwise the 96-dpi one, for the caller to stretch.
TEST_F(UlvoResTest, EachDensityFindsThePictureDrawnForIt)
{
    ResourceLibrary older, none;
    ASSERT_EQ(1, older.LoadResLibrary(LibraryWithout192DpiPictures().c_str()));
    const UINT MONTH_3 = IDB_MONTH_FIRST + 1, MONTH_3_AT_192 = IDB_MONTH_FIRST_192 + 1;
    const struct { const ResourceLibrary *pLib; UINT nId; int nShift; UINT nFound; int nDrawnShift; } CASES[] = {
        { &m_lib, MONTH_3, 0, MONTH_3, 0 }, { &m_lib, MONTH_3, 1, MONTH_3_AT_192, 1 },
        { &m_lib, IDB_MONTH_FIRST, 1, IDB_MONTH_FIRST_192, 1 }, { &m_lib, IDB_MONTH_LAST, 1, IDB_MONTH_LAST_192, 1 },
        { &m_lib, MONTH_3, 2, MONTH_3_AT_192, 1 },                   // denser still: the 192-dpi one, stretched
        { &m_lib, IDB_MONTH_LAST + 1, 1, IDB_MONTH_LAST + 1, 0 },    // not a month's picture
        { &older, MONTH_3, 0, MONTH_3, 0 }, { &older, MONTH_3, 1, MONTH_3, 0 }, { &none, MONTH_3, 1, MONTH_3, 0 },
    };
    for (const auto &c : CASES)
    {
        int nDrawnShift = -1;
        EXPECT_EQ(c.nFound, c.pLib->FindPicture(c.nId, c.nShift, &nDrawnShift)) << &c - CASES;
        EXPECT_EQ(c.nDrawnShift, nDrawnShift) << &c - CASES;
    }
    older.FreeResLibrary();
}

// The icon holds images drawn for 16 and for 32 pixels, not one scaled for the other.
TEST_F(UlvoResTest, ItemIconIsDrawnAtBothSizes)
{
    HMODULE h = m_lib.m_hResModule;
    const BYTE *pDir = (const BYTE *)LockResource(LoadResource(h, FindResourceW(h, MAKEINTRESOURCEW(IDI_TODAY_ITEM), RT_GROUP_ICON)));
    std::set<int> drawn;
    for (WORD i = 0; pDir && i < *(const WORD *)(pDir + 4); ++i)
        drawn.insert(pDir[6 + 14 * i]);   // each entry of the directory, packed, begins with its width
    EXPECT_EQ(std::set<int>({ 16, 32 }), drawn);
}

// A library that is not there: one log line, and no texts even where one was loaded before.
TEST_F(UlvoResTest, MissingLibraryLogsOnceAndLeavesNoTexts)
{
    TempDir dir;
    LogSink sink;
    ASSERT_TRUE(sink.Open(dir.File(L"ulvo.log").c_str()));
    g_pLogSink = &sink;
    HMODULE hHeld = m_lib.m_hResModule;
    EXPECT_EQ(0, m_lib.LoadResLibrary(dir.File(RES_LIBRARY_NAME).c_str()));
    EXPECT_TRUE(m_lib.m_hResModule == NULL && m_lib.LoadResString(IDS_ADVICE_FIRST) == NULL);
    g_pLogSink = NULL;
    sink.Close();
    std::string str = ReadFileBytes(dir.File(L"ulvo.log"));
    std::wstring strLog((const wchar_t *)str.data(), str.size() / sizeof(wchar_t));
    EXPECT_TRUE(std::regex_match(strLog, std::wregex(L"\\[0\\] \\[DEBUG\\] \\[[0-9. :]{19}\\] GetResource LoadLibrary errorcode = "
                                                     + std::to_wstring(ERROR_MOD_NOT_FOUND) + L" \r\n"))) << strLog;
    FreeLibrary(hHeld);   // the failed load stored over it without unloading it
}

// --- The shell stand-in ---------------------------------------------------------------------------

static std::vector<WPARAM> s_commands;
static LRESULT CALLBACK OwnerProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_COMMAND)
        s_commands.push_back(wParam);
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}
static HWND CreateOwner(RECT rc) { return CreateTestWindow(L"UlvoShellOwner", WS_POPUP | WS_VISIBLE, rc, OwnerProc); }

// Where a finger lands on the bar, at a fraction of its width, in the bar's client coordinates.
static POINT OnBar(HWND hBar, double dAcross)
{
    RECT rc;
    GetClientRect(hBar, &rc);
    return POINT{ (LONG)(rc.right * dAcross), rc.bottom / 2 };
}

// The commands a tap on the bar sends its owner; the keys pressed in a pop-up menu it opens are
// queued before, for the menu's loop to read.
static std::vector<WPARAM> Tap(HWND hBar, double dAcross, const std::vector<WPARAM> &keys)
{
    for (WPARAM vk : keys)
    {
        PostMessageW(GetWindow(hBar, GW_OWNER), WM_KEYDOWN, vk, 1);
        PostMessageW(GetWindow(hBar, GW_OWNER), WM_KEYUP, vk, 0xC0000001);
    }
    POINT pt = OnBar(hBar, dAcross);
    s_commands.clear();
    SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Pump();
    return s_commands;
}

// The keys that choose the main menu's pop-up item nCommand: down to it, past any separator, then
// return.
static std::vector<WPARAM> KeysTo(HINSTANCE hInstance, UINT nCommand)
{
    HMENU hMenu = LoadMenuW(hInstance, MAKEINTRESOURCEW(IDR_MAIN_MENUBAR));
    HMENU hPopup = GetSubMenu(hMenu, 1);
    std::vector<WPARAM> keys;
    for (int i = 0; i < GetMenuItemCount(hPopup); i++)
    {
        UINT nId = GetMenuItemID(hPopup, i);
        if (nId != 0)
            keys.push_back(VK_DOWN);
        if (nId == nCommand)
            break;
    }
    DestroyMenu(hMenu);
    keys.push_back(VK_RETURN);
    return keys;
}

// The main program's bars: across the bottom of the screen at the shell's height, owned by their
// window, a key for each of the menu's items, and taps that reach the owner as menu commands. A
// full-screen dialog spans the screen from below the task bar to the top of its bar, or to the
// bottom without one; without those flags it stays where its template put it.
TEST(ShellMenuBar, BarsCarryTheMenuAndDialogsFillTheScreenAboveThem)
{
    HINSTANCE hInstance = GetModuleHandleW(NULL);
    HWND hOwner = CreateOwner(RECT{ 0, 0, 240, 294 });
    ResourceLibrary lib;
    ASSERT_EQ(1, lib.CreateMenuBar(hOwner, hInstance, IDR_MAIN_MENUBAR));
    HWND hBar = lib.m_hwndMenuBar;
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    RECT rcBar = { 0, cyScreen - ScaleToDpi(MENUBAR_HEIGHT, ScreenDpi()), cxScreen, cyScreen }, rc;
    GetWindowRect(hBar, &rc);
    EXPECT_TRUE(EqualRect(&rcBar, &rc) && IsWindowVisible(hBar) && GetWindow(hBar, GW_OWNER) == hOwner);
    EXPECT_EQ(L"退出", WindowText(ChildWindowFromPoint(hBar, OnBar(hBar, 0.25))));
    EXPECT_EQ(L"菜单", WindowText(ChildWindowFromPoint(hBar, OnBar(hBar, 0.75))));
    struct { const char *pszWhat; double dAcross; std::vector<WPARAM> keys, commands; } const TAPS[] = {
        { "left key", 0.25, {}, { IDM_SOFTKEY_EXIT } }, { "first item of the pop-up", 0.75, { VK_DOWN, VK_RETURN }, { IDM_KICKS } },
        { "settings", 0.75, KeysTo(hInstance, IDM_SETTINGS), { IDM_SETTINGS } },
        { "past the separator", 0.75, KeysTo(hInstance, IDM_ABOUT), { IDM_ABOUT } },
        { "the item after it", 0.75, KeysTo(hInstance, IDM_DUE_DATE_SETUP), { IDM_DUE_DATE_SETUP } },
        { "pop-up dismissed", 0.75, { VK_ESCAPE }, {} }, { "beside the keys", -0.05, {}, {} },
    };
    for (const auto &t : TAPS)
        EXPECT_EQ(t.commands, Tap(hBar, t.dAcross, t.keys)) << t.pszWhat;
    // The pop-up as the user reads it, "|" for its separator.
    HMENU hMenu = LoadMenuW(hInstance, MAKEINTRESOURCEW(IDR_MAIN_MENUBAR));
    std::wstring strItems;
    for (int i = 0; i < GetMenuItemCount(GetSubMenu(hMenu, 1)); i++)
    {
        wchar_t szItem[32] = L"|";
        GetMenuStringW(GetSubMenu(hMenu, 1), i, szItem, ARRAYSIZE(szItem), MF_BYPOSITION);
        strItems += (i ? L" " : L"") + std::wstring(szItem[0] ? szItem : L"|");
    }
    DestroyMenu(hMenu);
    EXPECT_EQ(L"数胎动 宫缩计时 设置 按预产期设置 | 关于 帮助 退出", strItems);

    const int cyTop = ScaleToDpi(TASKBAR_HEIGHT, ScreenDpi());
    const RECT rcBetween = { 0, cyTop, cxScreen, rcBar.top }, rcToBottom = { 0, cyTop, cxScreen, cyScreen };
    struct { DWORD dwMask, dwFlags; const RECT *prc; } const DIALOGS[] = {   // no rectangle: where it was
        { SHIDIM_FLAGS, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU, &rcBetween },
        { SHIDIM_FLAGS, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU, &rcBetween },
        { SHIDIM_FLAGS, SHIDIF_SIZEDLG, &rcBetween }, { SHIDIM_FLAGS, SHIDIF_FULLSCREENNOMENUBAR, &rcToBottom },
        { SHIDIM_FLAGS, SHIDIF_DONEBUTTON, NULL }, { 0, SHIDIF_SIZEDLGFULLSCREEN, NULL },
    };
    for (const auto &d : DIALOGS)
    {
        SHINITDLGINFO shidi = { d.dwMask, CreateDialogParamW(hInstance, MAKEINTRESOURCEW(IDD_SETTINGS), NULL, NULL, 0), d.dwFlags };
        RECT rcBefore;
        GetWindowRect(shidi.hDlg, &rcBefore);
        EXPECT_TRUE(SHInitDialog(&shidi) && GetWindowRect(shidi.hDlg, &rc) && EqualRect(d.prc ? d.prc : &rcBefore, &rc))
            << "mask " << d.dwMask << ", flags " << d.dwFlags << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        DestroyWindow(shidi.hDlg);
    }

    // A dialog's bar takes the place of the one remembered; a bar that cannot be made leaves it.
    HWND hDialog = CreateOwner(RECT{ 0, 26, 240, 294 });
    ASSERT_EQ(1, lib.CreateMenuBar(hDialog, hInstance, IDR_DIALOG_MENUBAR));
    HWND hDialogBar = lib.m_hwndMenuBar;
    EXPECT_TRUE(hDialogBar != hBar && GetWindow(hDialogBar, GW_OWNER) == hDialog);
    EXPECT_EQ(0, lib.CreateMenuBar(hOwner, hInstance, IDR_DIALOG_MENUBAR + 1000));   // no menu of that id
    EXPECT_EQ(hDialogBar, lib.m_hwndMenuBar);
    DestroyWindow(hDialog);   // a bar goes with the window that owns it
    EXPECT_TRUE(!IsWindow(hDialogBar) && IsWindow(hBar));
    DestroyWindow(hOwner);
}

TEST(ShellFullScreen, MainWindowTakesTheScreenWhileTheTaskBarStepsAside)
{
    HWND hMain = CreateOwner(RECT{ 20, 40, 220, 300 });
    ResourceLibrary lib;
    lib.SetFullScreen(hMain);   // no task bar: nothing more to do
    ResourceLibrary::ShowTaskBar();
    RECT rc, rcExpected = { 0, 0, 220, 300 };   // the right and bottom edges kept
    GetWindowRect(hMain, &rc);
    EXPECT_TRUE(EqualRect(&rcExpected, &rc)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    HWND hTaskBar = CreateTestWindow(TASKBAR_CLASS, WS_POPUP | WS_VISIBLE, RECT{ 0, 0, 240, 26 });
    auto Shown = [hTaskBar] { return IsWindowVisible(hTaskBar) && !IsIconic(hTaskBar); };
    lib.SetFullScreen(hMain);
    EXPECT_FALSE(Shown());
    ResourceLibrary::ShowTaskBar();
    EXPECT_TRUE(Shown());
    // Back also when it was hidden or minimized before the program started.
    for (int nBefore : { SW_HIDE, SW_MINIMIZE })
    {
        ShowWindow(hTaskBar, nBefore);
        ResourceLibrary::ShowTaskBar();
        EXPECT_TRUE(Shown()) << nBefore;
    }
    DestroyWindow(hTaskBar);
    DestroyWindow(hMain);
}
