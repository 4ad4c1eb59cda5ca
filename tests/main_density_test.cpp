// The main program's windows at 96 and at 192 dots per inch. Each density writes down where every
// window, client area, text and tab label ends up, and the size of the month picture and of the
// About icon as drawn (the parent here at 96, a child of this program at 192); the parent then
// compares: nothing may be cut off or covered at 192 that is not at 96, text is twice as tall and
// so are the picture and the icon. At both, the settings and the due-date dialogs keep their layout
// rules.
#include "tests/main_test_util.h"
#include <commctrl.h>
#include <map>
#include <stdio.h>
#include "main/button_control.h"
#include "main/dialogs.h"
#include "main/due_date_dialog.h"
#include "main/layout.h"
#include "main/pages.h"
#include "main/relayout_dialog.h"
#include "main/settings_dialog.h"
#include "bench/files_and_folders.h"
#include "platform/aygshell/shell_metrics.h"
#include "platform/display_density.h"
#include "platform/today/host_layout.h"
#include "resources/main_ids.h"

struct Placed
{
    std::string strIn;  // what it must stay inside; "-" for nothing
    RECT rc;            // on the screen
};
typedef std::map<std::string, Placed> Layout;

static bool Inside(const RECT &a, const RECT &b) { RECT rc; return UnionRect(&rc, &a, &b) && EqualRect(&rc, &b); }
static bool Overlap(const RECT &a, const RECT &b) { RECT rc; return IntersectRect(&rc, &a, &b) != FALSE; }

// The extent of a control's text in its own font (the soft keys draw theirs in the shell's) from
// the top left of rc: wrapped at its width in a text box or a plain static, beside the mark of a
// radio button, on one line elsewhere.
static RECT TextOf(HWND hWnd, const std::wstring &strText, RECT rc)
{
    wchar_t szClass[32] = L"";
    GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    LONG lStyle = GetWindowLongW(hWnd, GWL_STYLE);
    bool bWraps = lstrcmpiW(szClass, L"EDIT") == 0
               || (lstrcmpiW(szClass, L"STATIC") == 0 && (lStyle & SS_TYPEMASK) == SS_LEFT);
    if (lstrcmpiW(szClass, L"BUTTON") == 0 && (lStyle & BS_TYPEMASK) == BS_RADIOBUTTON)
        rc.left += GetSystemMetrics(SM_CXMENUCHECK);
    HDC hdc = GetDC(hWnd);
    HFONT hFont = (HFONT)SendMessageW(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = SelectObject(hdc, hFont ? hFont : GetStockObject(DEFAULT_GUI_FONT));
    RECT rcText = { 0, 0, rc.right - rc.left, 0 };
    DrawTextW(hdc, strText.c_str(), -1, &rcText, DT_CALCRECT | DT_NOPREFIX | (bWraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hdc, hOld);
    ReleaseDC(hWnd, hdc);
    OffsetRect(&rcText, rc.left, rc.top);
    return rcText;
}

// A window, its client area, its text and its tab labels, then its children, each named after
// its place under its parent unless it has a name of its own.
static void Walk(Layout &layout, HWND hWnd, const std::string &strName, const std::string &strIn,
                 const std::map<HWND, std::string> &names = {})
{
    RECT rc, rcClient;
    GetWindowRect(hWnd, &rc);
    GetClientRect(hWnd, &rcClient);
    MapWindowPoints(hWnd, NULL, (POINT *)&rcClient, 2);
    layout[strName] = { strIn, rc };
    layout[strName + ".client"] = { strName, rcClient };
    if ((GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && !WindowText(hWnd).empty())
        layout[strName + ".text"] = { strName, TextOf(hWnd, WindowText(hWnd), rc) };
    for (int i = 0; strName == "tab" && i < TabCtrl_GetItemCount(hWnd); i++)
    {
        RECT rcItem;
        TabCtrl_GetItemRect(hWnd, i, &rcItem);
        MapWindowPoints(hWnd, NULL, (POINT *)&rcItem, 2);
        std::string strItem = strName + ".label" + std::to_string(i);
        layout[strItem] = { strName + ".client", rcItem };
        layout[strItem + ".text"] = { strItem, TextOf(hWnd, TabLabel(hWnd, i), rcItem) };
    }
    int i = 0;
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT), i++)
    {
        auto it = names.find(hChild);
        std::string strChild = it != names.end() ? it->second : strName + "/" + std::to_string(i);
        Walk(layout, hChild, strChild, strName + ".client", names);
    }
}

// The settings dialog's rule at this density: the calendar takes its whole minimum when
// either side falls short of the design, the date group holds it with the same margin either
// side, the method group is as wide and holds the radio buttons; the calendar shows whole on
// the device's screen, clear of the method group.
static void ExpectSettingsLayout(HWND hDlg)
{
    HWND hCalendar = FindDescendant(hDlg, MONTHCAL_CLASSW);
    RECT rcCalendar = ChildRect(hCalendar), rcMin = {};
    SendMessageW(hCalendar, MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
    OffsetRect(&rcMin, rcCalendar.left, rcCalendar.top);
    EXPECT_TRUE(EqualRect(&rcMin, &rcCalendar) || (rcCalendar.right > rcMin.right && rcCalendar.bottom > rcMin.bottom));
    RECT rcDate = ChildRect(g_pDateGroup->GetHwnd()), rcMethod = ChildRect(g_pMethodGroup->GetHwnd());
    EXPECT_TRUE(Inside(rcCalendar, rcDate));
    EXPECT_EQ(rcCalendar.left - rcDate.left, rcDate.right - rcCalendar.right);
    EXPECT_EQ(std::make_pair(rcDate.left, rcDate.right), std::make_pair(rcMethod.left, rcMethod.right));
    EXPECT_TRUE(Inside(ChildRect(g_pRadio365->GetHwnd()), rcMethod));
    EXPECT_TRUE(Inside(ChildRect(g_pRadio280->GetHwnd()), rcMethod));
    EXPECT_LE(rcCalendar.right, ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()));
    EXPECT_FALSE(Overlap(rcCalendar, rcMethod));
}

// records.csv of nHours complete hours of nPerHour effective taps each on 2010-03-27 and on each
// of the 7 days before, and an hour running at 23:59 with a tap every 10 seconds: the longest texts
// the kick counter shows.
static std::string BusyKickRecords(int nHours, int nPerHour)
{
    std::string str = "time,event\r\n";
    char szLine[64];
    for (int nDay = 20; nDay <= 27; nDay++)
        for (int h = 0; h < nHours; h++)
            for (int i = 0; i < nPerHour; i++)
                str += (snprintf(szLine, sizeof(szLine), "2010-03-%02d %02d:%02d:00,kick\r\n", nDay, 8 + h, i * 5), szLine);
    for (int s = 10; s < 59 * 60; s += 10)
        str += (snprintf(szLine, sizeof(szLine), "2010-03-27 23:%02d:%02d,kick\r\n", s / 60, s % 60), szLine);
    return str;
}

// An hour of contractions up to 23:55 on 2010-03-27, one every 5 minutes lasting a minute: at 23:59
// the contraction timer's longest texts, the hospital message among them.
static std::string RegularContractions()
{
    std::string str;
    char szLine[128];
    for (int m = 55; m <= 115; m += 5)
        str += (snprintf(szLine, sizeof(szLine), "2010-03-27 %02d:%02d:00,contraction_start\r\n"
                         "2010-03-27 %02d:%02d:00,contraction_end\r\n", 22 + m / 60, m % 60, 22 + (m + 1) / 60,
                         (m + 1) % 60), szLine);
    return str;
}

// A record dialog as the device's screen at this density has it, below the soft keys.
static void PutOnTheDevicesScreen(HWND hDlg)
{
    RECT rcBar;
    GetWindowRect(g_pResLib->m_hwndMenuBar, &rcBar);
    MoveWindow(hDlg, 0, 0, ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()),
               ScaleToDpi(SCREEN_CY_NORMAL, ScreenDpi()) - (rcBar.bottom - rcBar.top), TRUE);
}

// There, each control inside the dialog and clear of the others, every line of text whole inside
// its control, the big button at least half the screen wide and 40 pixels high at 96 dpi.
static void ExpectWholeOnTheDevicesScreen(HWND hDlg, int nButtonId)
{
    RECT rcClient;
    GetClientRect(hDlg, &rcClient);
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    {
        RECT rc = ChildRect(h);
        wchar_t szClass[32] = L"";
        GetClassNameW(h, szClass, ARRAYSIZE(szClass));
        std::wstring strText = WindowText(h);
        EXPECT_TRUE(Inside(rc, rcClient)) << GetDlgCtrlID(h);
        for (HWND o = GetWindow(h, GW_HWNDNEXT); o; o = GetWindow(o, GW_HWNDNEXT))
            EXPECT_FALSE(Overlap(rc, ChildRect(o))) << GetDlgCtrlID(h) << " and " << GetDlgCtrlID(o);
        if (lstrcmpiW(szClass, L"EDIT") == 0 || strText.empty())
            continue;
        HDC hdc = GetDC(h);
        HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageW(h, WM_GETFONT, 0, 0));
        RECT rcText = { 0, 0, rc.right - rc.left, 0 };
        DrawTextW(hdc, strText.c_str(), -1, &rcText, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
        SelectObject(hdc, hOld);
        ReleaseDC(h, hdc);
        EXPECT_LE(rcText.right, rc.right - rc.left) << GetDlgCtrlID(h);
        EXPECT_LE(rcText.bottom, rc.bottom - rc.top) << GetDlgCtrlID(h) << " cuts off its text";
    }
    RECT rcButton = ChildRect(GetDlgItem(hDlg, nButtonId));
    EXPECT_GE(2 * (rcButton.right - rcButton.left), ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()));
    EXPECT_GE(rcButton.bottom - rcButton.top, ScaleToDpi(40, ScreenDpi()));
}

// The group box of the dialog that reads so.
static HWND GroupBox(HWND hDlg, const wchar_t *pszText)
{
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if ((GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && WindowText(h) == pszText)
            return h;
    return NULL;
}

// The due-date dialog's rule at this density: the calendar in its group as in the settings dialog;
// below that group, as wide and clear of it, the group of the four kinds holding their radio
// buttons; all of it on the device's screen above the menu bar.
static void ExpectDueDateLayout(HWND hDlg)
{
    RECT rcCalendar = ChildRect(FindDescendant(hDlg, MONTHCAL_CLASSW));
    RECT rcDate = ChildRect(GroupBox(hDlg, L"选择日期")), rcKinds = ChildRect(GroupBox(hDlg, L"这个日期是"));
    EXPECT_TRUE(Inside(rcCalendar, rcDate));
    EXPECT_EQ(rcCalendar.left - rcDate.left, rcDate.right - rcCalendar.right);
    EXPECT_EQ(std::make_pair(rcDate.left, rcDate.right), std::make_pair(rcKinds.left, rcKinds.right));
    EXPECT_FALSE(Overlap(rcDate, rcKinds));
    EXPECT_LT(rcDate.top, rcKinds.top);
    for (int nId : { IDC_KIND_DUE_DATE, IDC_KIND_CONCEPTION, IDC_KIND_TRANSFER_DAY3, IDC_KIND_TRANSFER_DAY5 })
        EXPECT_TRUE(Inside(ChildRect(GetDlgItem(hDlg, nId)), rcKinds)) << nId;
    RECT rcDevice = { 0, 0, ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()),
                      ScaleToDpi(SCREEN_CY_NORMAL - MENUBAR_HEIGHT, ScreenDpi()) };
    MapWindowPoints(NULL, hDlg, (POINT *)&rcDevice, 2);
    EXPECT_TRUE(Inside(rcKinds, rcDevice) && Inside(rcDate, rcDevice));
}

// The size of the bitmap or icon a static control shows; empty for none.
static RECT ImageSize(HWND hStatic, UINT uType)
{
    BITMAP bm = {};
    ICONINFO ii = {};
    HANDLE hImage = (HANDLE)SendMessageW(hStatic, STM_GETIMAGE, uType, 0);
    if (uType == IMAGE_BITMAP && hImage)
        GetObjectW(hImage, sizeof(bm), &bm);
    else if (uType == IMAGE_ICON && hImage && GetIconInfo((HICON)hImage, &ii))
    {
        GetObjectW(ii.hbmMask, sizeof(bm), &bm);
        if (!ii.hbmColor)
            bm.bmHeight /= 2;   // a monochrome icon's mask holds its image below
        DeleteObject(ii.hbmMask);
        DeleteObject(ii.hbmColor);
    }
    return RECT{ 0, 0, bm.bmWidth, bm.bmHeight };
}

class MainDensity : public MainTest
{
protected:
    // The main window on its first page and each dialog (About in both layouts), each with its
    // menu bar; the window is gone afterwards, so that another instance may start.
    void Measure(Layout &layout)
    {
        layout["screen"] = { "-", { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) } };
        FixedToday today(2010, 3, 27);
        Store("<StartTime>2010-1-1</StartTime><CalcMethod>2</CalcMethod>");
        ASSERT_TRUE(Start());
        Walk(layout, g_hWndMain, "main", "screen", { { g_pTab->GetHwnd(), "tab" }, { g_editStatus.GetHwnd(), "status" },
                                                   { g_editDueDate.GetHwnd(), "duedate" },
                                                   { g_editCountdown.GetHwnd(), "countdown" },
                                                   { g_editCheckups.GetHwnd(), "checkups" },
                                                   { g_picMonth.GetHwnd(), "picture" } });
        // The labels of all pages fit across the device's screen, which the tab control spans.
        RECT rcLast;
        TabCtrl_GetItemRect(g_pTab->GetHwnd(), TabCtrl_GetItemCount(g_pTab->GetHwnd()) - 1, &rcLast);
        EXPECT_LE(rcLast.right, ScaleToDpi(SCREEN_CX_NORMAL, ScreenDpi()));
        Walk(layout, g_pResLib->m_hwndMenuBar, "main.bar", "screen");
        layout["picture.image"] = { "-", ImageSize(g_picMonth.GetHwnd(), IMAGE_BITMAP) };
        // The same page over the library from before the pictures drawn for 192 dpi.
        g_pResLib->FreeResLibrary();
        ASSERT_EQ(1, g_pResLib->LoadResLibrary(LibraryWithout192DpiPictures().c_str()));
        Refresh();
        layout["picture.image.stretched"] = { "-", ImageSize(g_picMonth.GetHwnd(), IMAGE_BITMAP) };
        const struct { const char *pszName; int nTemplate, nLayout; DLGPROC pfnProc; } DIALOGS[] = {
            { "settings", IDD_SETTINGS, 0, SettingsDlgProc }, { "duedate.dialog", IDD_DUE_DATE, 0, DueDateDlgProc },
            { "about", IDD_ABOUT, IDD_ABOUT, AboutDlgProc },
            { "about.wide", IDD_ABOUT, IDD_ABOUT_WIDE, AboutDlgProc }, { "help", IDD_HELP, 0, HelpDlgProc },
            { "kicks", IDD_KICKS, 0, KickDlgProc }, { "contractions", IDD_CONTRACTIONS, 0, ContractionDlgProc } };
        ASSERT_TRUE(WriteWholeFile(m_dir.File(L"records.csv"), BusyKickRecords(10, 12) + RegularContractions()));
        for (const auto &d : DIALOGS)
        {
            Dialog dlg(d.nTemplate, d.pfnProc);
            if (d.nLayout)
                RelayoutDialog(g_hInstance, dlg, d.nLayout);
            if (d.nTemplate == IDD_SETTINGS)
                ExpectSettingsLayout(dlg);
            if (d.nTemplate == IDD_DUE_DATE)
                ExpectDueDateLayout(dlg);
            if (d.nTemplate == IDD_KICKS || d.nTemplate == IDD_CONTRACTIONS)
            {
                PutOnTheDevicesScreen(dlg);
                ExpectWholeOnTheDevicesScreen(dlg, d.nTemplate == IDD_KICKS ? IDC_KICK_TAP : IDC_CONTRACTION_TAP);
                EXPECT_NE(L"", WindowText(GetDlgItem(dlg, d.nTemplate == IDD_KICKS ? IDC_KICK_ASSESSMENT : IDC_CONTRACTION_MESSAGE)));
            }
            Walk(layout, dlg, d.pszName, "screen");
            Walk(layout, g_pResLib->m_hwndMenuBar, std::string(d.pszName) + ".bar", "screen");
            if (d.pfnProc == AboutDlgProc)
                layout[std::string(d.pszName) + ".icon"] = { "-", ImageSize(GetDlgItem(dlg, IDC_ABOUT_ICON), IMAGE_ICON) };
        }
        // A day of few kicks has the longest assessment; at term, the hour of contractions the
        // longest message.
        ASSERT_TRUE(WriteWholeFile(m_dir.File(L"records.csv"), BusyKickRecords(5, 3) + RegularContractions()));
        Store("<StartTime>2009-6-1</StartTime><CalcMethod>2</CalcMethod>");
        const struct { int nTemplate; DLGPROC pfnProc; int nButtonId; } RECORD_DIALOGS[] = {
            { IDD_KICKS, KickDlgProc, IDC_KICK_TAP }, { IDD_CONTRACTIONS, ContractionDlgProc, IDC_CONTRACTION_TAP } };
        for (const auto &d : RECORD_DIALOGS)
        {
            Dialog dlg(d.nTemplate, d.pfnProc);
            PutOnTheDevicesScreen(dlg);
            ExpectWholeOnTheDevicesScreen(dlg, d.nButtonId);
        }
        Stop();
    }
};

typedef MainDensity MainAtDpi;

// In the child at 192 dpi: measured and written down for the parent.
TEST_F(MainAtDpi, WritesWhereEverythingIs)
{
    Layout layout;
    Measure(layout);
    FILE *pFile = _wfopen(ChildArgument("layout").c_str(), L"w");
    ASSERT_TRUE(pFile != NULL);
    for (const auto &p : layout)
        fprintf(pFile, "%s %s %ld %ld %ld %ld\n", p.first.c_str(), p.second.strIn.c_str(), p.second.rc.left,
                p.second.rc.top, p.second.rc.right, p.second.rc.bottom);
    fclose(pFile);
}

TEST_F(MainDensity, NothingIsCutOffOrCoveredAt192DpiThatIsNotAt96)
{
    ASSERT_EQ(DESIGN_DPI, ScreenDpi()) << "the prefix's density was left changed";
    Layout at96, at192;
    Measure(at96);
    std::wstring strPath = m_dir.File(L"at192.txt");
    ASSERT_EQ(0, RunSelfAtDpi(192, L"--layout=\"" + strPath + L"\"")) << "the checks at 192 dpi";
    FILE *pFile = _wfopen(strPath.c_str(), L"r");
    ASSERT_TRUE(pFile != NULL);
    char szName[256], szIn[256];
    RECT rc;
    while (fscanf(pFile, "%255s %255s %ld %ld %ld %ld", szName, szIn, &rc.left, &rc.top, &rc.right, &rc.bottom) == 6)
        at192[szName] = { szIn, rc };
    fclose(pFile);
    ASSERT_EQ(at96.size(), at192.size());

    for (const char *pszText : { "status.text", "tab.label0.text", "tab.label3.text", "duedate.text", "countdown.text" })
    {
        const RECT &a = at96[pszText].rc, &b = at192[pszText].rc;
        EXPECT_NEAR(2 * (a.bottom - a.top), b.bottom - b.top, 1) << pszText;
    }
    // The month picture is twice as wide and as tall, from its own drawing or, from the older
    // library, stretched, and drawn so; the About icon at the layout's size, in both layouts.
    for (const char *pszPicture : { "picture", "picture.image", "picture.image.stretched" })
    {
        const RECT &a = at96[pszPicture].rc, &b = at192[pszPicture].rc;
        EXPECT_TRUE(a.right > a.left && a.bottom > a.top) << pszPicture << ": none at 96 dpi";
        EXPECT_NEAR(2 * (a.right - a.left), b.right - b.left, 2) << pszPicture;
        EXPECT_NEAR(2 * (a.bottom - a.top), b.bottom - b.top, 2) << pszPicture;
    }
    for (const char *pszIcon : { "about.icon", "about.wide.icon" })
    {
        const RECT rc96 = { 0, 0, LAYOUT_ICON_SIZE, LAYOUT_ICON_SIZE }, rc192 = { 0, 0, 2 * LAYOUT_ICON_SIZE, 2 * LAYOUT_ICON_SIZE };
        EXPECT_TRUE(EqualRect(&rc96, &at96[pszIcon].rc)) << pszIcon << " at 96 dpi: " << at96[pszIcon].rc.right;
        EXPECT_TRUE(EqualRect(&rc192, &at192[pszIcon].rc)) << pszIcon << " at 192 dpi: " << at192[pszIcon].rc.right;
    }
    for (const auto &p : at192)
    {
        ASSERT_EQ(1u, at96.count(p.first)) << p.first;
        const Placed &q = at96[p.first];
        if (p.second.strIn == "-")
            continue;
        EXPECT_TRUE(Inside(p.second.rc, at192[p.second.strIn].rc) || !Inside(q.rc, at96[q.strIn].rc))
            << p.first << " leaves " << p.second.strIn << " at 192 dpi only";
        for (const auto &o : at192)
        {
            bool bOnlyAt192 = !Overlap(q.rc, at96[o.first].rc) && Overlap(p.second.rc, o.second.rc);
            EXPECT_FALSE(p.first < o.first && o.second.strIn == p.second.strIn && bOnlyAt192)
                << p.first << " and " << o.first << " overlap at 192 dpi only";
        }
    }
}
