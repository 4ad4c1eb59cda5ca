#include <gtest/gtest.h>
#include <string>
#include "core/resource_library.h"
#include "main/about_dialog.h"
#include "main/help_dialog.h"
#include "main/main_globals.h"
#include "main/relayout_dialog.h"
#include "resources/main_ids.h"
#include "tests/dialog_driver.h"

namespace {

const int IDD_TEST_ONE_UNNAMED = 900;
const int IDD_TEST_TWO_UNNAMED = 901;
const int IDD_TEST_MISSING_CHILD = 902;

INT_PTR CALLBACK PlainDlgProc(HWND, UINT uMsg, WPARAM, LPARAM)
{
    return uMsg == WM_INITDIALOG;
}

HWND CreateFromTemplate(int nTemplateId)
{
    return CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(nTemplateId), NULL, PlainDlgProc, 0);
}

// Where an item of a template lands in this dialog, from its dialog units.
RECT Expected(HWND hDlg, int x, int y, int cx, int cy)
{
    RECT rc = { x, y, x + cx, y + cy };
    MapDialogRect(hDlg, &rc);
    return rc;
}

struct Item { int nId; int x, y, cx, cy; const wchar_t *pszText; };

// The designed layouts, as the templates give them.
const Item PORTRAIT[] = {
    { IDC_ABOUT_ICON,    21, 14, 21, 20, NULL },
    { IDC_ABOUT_VERSION, 14, 61, 70, 8, L"版本号1.0" },
    { IDC_ABOUT_TITLE,   14, 47, 99, 8, NULL },
    { IDC_ABOUT_NOTICE,  16, 73, 66, 8, NULL },
};
const Item LANDSCAPE[] = {
    { IDC_ABOUT_ICON,    12, 12, 21, 20, NULL },
    { IDC_ABOUT_VERSION, 48, 12, 66, 8, L"Main Version 1.0" },
    { IDC_ABOUT_TITLE,   48, 24, 66, 8, NULL },
};

void ExpectPlaced(HWND hDlg, const Item &item, const char *pszLayout)
{
    RECT rcWant = Expected(hDlg, item.x, item.y, item.cx, item.cy);
    RECT rc = ChildRect(GetDlgItem(hDlg, item.nId));
    EXPECT_TRUE(EqualRect(&rcWant, &rc)) << pszLayout << " item " << item.nId << ": at " << rc.left << ","
        << rc.top << " " << rc.right - rc.left << "x" << rc.bottom - rc.top;
    if (item.pszText)
    {
        EXPECT_EQ(item.pszText, WindowText(GetDlgItem(hDlg, item.nId))) << pszLayout;
    }
}

HICON ShownIcon(HWND hDlg)
{
    return (HICON)SendDlgItemMessageW(hDlg, IDC_ABOUT_ICON, STM_GETIMAGE, IMAGE_ICON, 0);
}

class AboutAndHelp : public testing::Test
{
protected:
    void SetUp() override
    {
        g_hInstance = GetModuleHandleW(NULL);
        g_nScaleShift = 0;
    }
};

TEST_F(AboutAndHelp, LandscapeLayoutMovesTheNamedItemsAndRestoresTheirContent)
{
    HWND hDlg = CreateFromTemplate(IDD_ABOUT);
    ASSERT_NE((HWND)NULL, hDlg);
    std::wstring strTitle = WindowText(GetDlgItem(hDlg, IDC_ABOUT_TITLE));
    std::wstring strNotice = WindowText(GetDlgItem(hDlg, IDC_ABOUT_NOTICE));
    EXPECT_FALSE(strTitle.empty());
    EXPECT_FALSE(strNotice.empty());
    EXPECT_NE(strTitle, strNotice);
    RECT rcNotice = ChildRect(GetDlgItem(hDlg, IDC_ABOUT_NOTICE));

    EXPECT_EQ(1, RelayoutDialog(g_hInstance, hDlg, IDD_ABOUT_WIDE));
    for (const Item &item : LANDSCAPE)
        ExpectPlaced(hDlg, item, "landscape");
    EXPECT_EQ(strNotice, WindowText(GetDlgItem(hDlg, IDC_ABOUT_TITLE)));
    // Not named by the landscape template: stays as it was.
    RECT rcNoticeNow = ChildRect(GetDlgItem(hDlg, IDC_ABOUT_NOTICE));
    EXPECT_TRUE(EqualRect(&rcNotice, &rcNoticeNow));
    EXPECT_EQ(strNotice, WindowText(GetDlgItem(hDlg, IDC_ABOUT_NOTICE)));
    EXPECT_NE((HICON)NULL, ShownIcon(hDlg));

    // The same layout again moves nothing further and sets the same texts.
    EXPECT_EQ(1, RelayoutDialog(g_hInstance, hDlg, IDD_ABOUT_WIDE));
    for (const Item &item : LANDSCAPE)
        ExpectPlaced(hDlg, item, "landscape again");
    EXPECT_NE((HICON)NULL, ShownIcon(hDlg));

    // Back to portrait: positions and texts of the portrait template.
    SetWindowTextW(GetDlgItem(hDlg, IDC_ABOUT_VERSION), L"changed");
    EXPECT_EQ(1, RelayoutDialog(g_hInstance, hDlg, IDD_ABOUT));
    for (const Item &item : PORTRAIT)
        ExpectPlaced(hDlg, item, "portrait");
    EXPECT_EQ(strTitle, WindowText(GetDlgItem(hDlg, IDC_ABOUT_TITLE)));
    EXPECT_EQ(strNotice, WindowText(GetDlgItem(hDlg, IDC_ABOUT_NOTICE)));
    EXPECT_NE((HICON)NULL, ShownIcon(hDlg));
    DestroyWindow(hDlg);
}

TEST_F(AboutAndHelp, RelayoutReportsWhatItCouldNotDo)
{
    HWND hDlg = CreateFromTemplate(IDD_ABOUT);
    // No such template.
    EXPECT_EQ(0, RelayoutDialog(g_hInstance, hDlg, 4321));
    // A child the dialog lacks: the others still move.
    EXPECT_EQ(0, RelayoutDialog(g_hInstance, hDlg, IDD_TEST_MISSING_CHILD));
    RECT rcWant = Expected(hDlg, 30, 40, 50, 10);
    RECT rc = ChildRect(GetDlgItem(hDlg, IDC_ABOUT_VERSION));
    EXPECT_TRUE(EqualRect(&rcWant, &rc));
    // That template names its classes, not their ordinals: such an item is only moved.
    EXPECT_EQ(L"版本号1.0", WindowText(GetDlgItem(hDlg, IDC_ABOUT_VERSION)));
    DestroyWindow(hDlg);

    // One item without an identifier can be told apart; two cannot.
    HWND hOne = CreateFromTemplate(IDD_TEST_ONE_UNNAMED);
    EXPECT_EQ(1, RelayoutDialog(g_hInstance, hOne, IDD_TEST_ONE_UNNAMED));
    DestroyWindow(hOne);
    HWND hTwo = CreateFromTemplate(IDD_TEST_TWO_UNNAMED);
    EXPECT_EQ(0, RelayoutDialog(g_hInstance, hTwo, IDD_TEST_TWO_UNNAMED));
    DestroyWindow(hTwo);
}

TEST_F(AboutAndHelp, LayoutFollowsTheScreensOrientation)
{
    EXPECT_EQ(IDD_ABOUT, AboutLayoutFor(240, 320));
    EXPECT_EQ(IDD_ABOUT_WIDE, AboutLayoutFor(320, 240));
    EXPECT_EQ(IDD_ABOUT_WIDE, AboutLayoutFor(240, 240));

    // This screen, whatever its shape, gets the layout for it as soon as the dialog is sized.
    int nWant = AboutLayoutFor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    std::wstring strVersion;
    DialogRun run = RunDialog(IDD_ABOUT, AboutDlgProc, [&](HWND hDlg) {
        strVersion = WindowText(GetDlgItem(hDlg, IDC_ABOUT_VERSION));
        SendMessageW(hDlg, WM_COMMAND, IDM_DIALOG_OK, 0);
    });
    EXPECT_EQ(IDM_DIALOG_OK, run.nResult);
    EXPECT_EQ(nWant == IDD_ABOUT ? L"版本号1.0" : L"Main Version 1.0", strVersion);
}

TEST_F(AboutAndHelp, AboutEndsOnItsSoftKeyOrClose)
{
    DialogRun run = RunDialog(IDD_ABOUT, AboutDlgProc, [](HWND hDlg) {
        SendMessageW(hDlg, WM_COMMAND, IDM_SETTINGS_OK, 0);   // not its command
    });
    EXPECT_TRUE(run.bOpenAfterScript);
    run = RunDialog(IDD_ABOUT, AboutDlgProc, [](HWND hDlg) { SendMessageW(hDlg, WM_CLOSE, 0, 0); });
    EXPECT_EQ(16, run.nResult);
}

TEST_F(AboutAndHelp, HelpShowsTheUsageTextInABorderedScrollingBox)
{
    ResourceLibrary resLib;
    g_pResLib = &resLib;
    std::wstring strText;
    LONG lStyle = 0;
    HWND hBar = NULL;
    DialogRun run = RunDialog(IDD_HELP, HelpDlgProc, [&](HWND hDlg) {
        HWND hEdit = FindWindowExW(hDlg, NULL, L"EDIT", NULL);
        strText = WindowText(hEdit);
        lStyle = GetWindowLongW(hEdit, GWL_STYLE);
        hBar = resLib.m_hwndMenuBar;
        SendMessageW(hDlg, WM_COMMAND, IDM_DIALOG_OK, 0);
    });
    g_pResLib = NULL;
    EXPECT_EQ(IDM_DIALOG_OK, run.nResult);
    EXPECT_NE((HWND)NULL, hBar);
    const std::wstring strStart =
        L"安装本软件后,在今日界面可以点击进入设置, 设置好后可以每日提醒您今天怀孕的日期, "
        L"点击进入后,还可以看到更详细的孕期说明. 如果没有今日界面,也可以从软件列表直接进入."
        L"             ";
    EXPECT_EQ(0u, strText.find(strStart));
    EXPECT_EQ(std::wstring::npos, strText.find(L'\n'));
    size_t posSecondGap = strText.find(L"             ", strStart.size());
    ASSERT_NE(std::wstring::npos, posSecondGap);
    EXPECT_GT(posSecondGap, strStart.size());
    EXPECT_LT(posSecondGap + 13, strText.size());
    EXPECT_EQ(std::wstring(g_szHelpText), strText);
    EXPECT_EQ(WS_VSCROLL | ES_MULTILINE, lStyle & (WS_VSCROLL | ES_MULTILINE | ES_READONLY));
}

}  // namespace
