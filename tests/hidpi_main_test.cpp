// Main.exe's windows on screens of 96 and 192 dots per inch. Each density runs in a child of
// this program: it checks the designed lengths, doubled at 192 dpi, and that the settings
// dialog's calendar shows whole on the device's screen, and writes down where every control and
// every text ends up. The parent then compares the two densities: text in the system font is
// twice as large at 192 dpi, and nothing may be cut off or covered there that is not at 96.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <stdio.h>
#include <map>
#include <string>
#include <vector>
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "main/about_dialog.h"
#include "main/dialogs.h"
#include "main/help_dialog.h"
#include "main/main_globals.h"
#include "main/main_window.h"
#include "main/message_box.h"
#include "main/pages.h"
#include "main/settings_dialog.h"
#include "main/status_texts.h"
#include "main/tab_control.h"
#include "main/relayout_dialog.h"
#include "resources/main_ids.h"
#include "tests/dialog_driver.h"
#include "tests/dpi_child.h"
#include "tests/fixed_clock.h"
#include "tests/temp_dir.h"

namespace {

const char LAYOUT_ARG[] = "layout";
const int DEVICE_SCREEN_CX = 240;   // the device's screen at 96 dpi
const char STORED_CONFIG[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
    "<CONFIG><StartTime>2010-1-1</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n";

// Where something ended up on the screen, and what it must stay inside ("" for the screen).
struct Placed
{
    std::string strName;
    std::string strContainer;
    RECT rc;
};

// --- The child: measuring --------------------------------------------------------------------

std::vector<Placed> g_placed;

RECT ScreenRectOf(HWND hWnd)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return rc;
}

// A window's client area in screen coordinates: what its children must stay inside.
RECT ClientOnScreen(HWND hWnd)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    MapWindowPoints(hWnd, NULL, (POINT *)&rc, 2);
    return rc;
}

void Place(const std::string &strName, const std::string &strContainer, const RECT &rc)
{
    g_placed.push_back({ strName, strContainer, rc });
}

RECT Offset(RECT rc, int dx, int dy)
{
    OffsetRect(&rc, dx, dy);
    return rc;
}

bool Inside(const RECT &rcInner, const RECT &rcOuter)
{
    return rcInner.left >= rcOuter.left && rcInner.top >= rcOuter.top && rcInner.right <= rcOuter.right &&
           rcInner.bottom <= rcOuter.bottom;
}

bool Overlap(const RECT &a, const RECT &b)
{
    RECT rc;
    return IntersectRect(&rc, &a, &b) != FALSE;
}

std::string Describe(const RECT &rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) + "x" +
           std::to_string(rc.bottom - rc.top);
}

// The text's extent in the window's own font, from a given top-left corner.
RECT TextAt(HWND hWnd, HFONT hFont, const std::wstring &strText, int x, int y, UINT uFlags, int cxWrap = 0)
{
    HDC hdc = GetDC(hWnd);
    if (!hFont)
        hFont = (HFONT)SendMessageW(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = hFont ? SelectObject(hdc, hFont) : NULL;
    RECT rc = { 0, 0, cxWrap, 0 };
    DrawTextW(hdc, strText.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX | uFlags);
    if (hOld)
        SelectObject(hdc, hOld);
    ReleaseDC(hWnd, hdc);
    return Offset(rc, x, y);
}

RECT CentredIn(const RECT &rcOuter, const RECT &rcText)
{
    int cx = rcText.right - rcText.left, cy = rcText.bottom - rcText.top;
    int x = (rcOuter.left + rcOuter.right - cx) / 2, y = (rcOuter.top + rcOuter.bottom - cy) / 2;
    RECT rc = { x, y, x + cx, y + cy };
    return rc;
}

int TextHeightOf(HWND hWnd)
{
    HDC hdc = GetDC(hWnd);
    HFONT hFont = (HFONT)SendMessageW(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = hFont ? SelectObject(hdc, hFont) : NULL;
    TEXTMETRICW tm;
    GetTextMetricsW(hdc, &tm);
    if (hOld)
        SelectObject(hdc, hOld);
    ReleaseDC(hWnd, hdc);
    return tm.tmHeight;
}

// Whether a control paints anything beyond its own client area, seen by letting it paint into a
// bitmap twice its size: what lies there would be cut off on the screen.
bool PaintsOutside(HWND hWnd)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    const int cx = 2 * rc.right, cy = 2 * rc.bottom;
    const DWORD NOTHING = 0x00FF00FF;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    DWORD *pBits = NULL;
    HDC hdc = CreateCompatibleDC(NULL);
    HBITMAP hBitmap = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, (void **)&pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    std::fill(pBits, pBits + cx * cy, NOTHING);
    SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)hdc, PRF_CLIENT);
    GdiFlush();
    bool bOutside = false;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            bOutside |= (x >= rc.right || y >= rc.bottom) && (pBits[y * cx + x] & 0xFFFFFF) != NOTHING;
    SelectObject(hdc, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hdc);
    return bOutside;
}

// A multi-line text box: its lines as the box wrapped them, from the top of its text area.
void PlaceEditText(const std::string &strName, HWND hEdit)
{
    RECT rcFormat = {};
    SendMessageW(hEdit, EM_GETRECT, 0, (LPARAM)&rcFormat);
    MapWindowPoints(hEdit, NULL, (POINT *)&rcFormat, 2);
    int nLines = (int)SendMessageW(hEdit, EM_GETLINECOUNT, 0, 0);
    RECT rcText = { rcFormat.left, rcFormat.top, rcFormat.right, rcFormat.top + nLines * TextHeightOf(hEdit) };
    Place(strName + ".text", strName, rcText);
}

// The soft keys and their labels, drawn centred in the shell's GUI font.
void PlaceMenuBar(const std::string &strName, const std::string &strContainer, HWND hBar)
{
    Place(strName, strContainer, ScreenRectOf(hBar));
    int i = 0;
    for (HWND hKey = GetWindow(hBar, GW_CHILD); hKey; hKey = GetWindow(hKey, GW_HWNDNEXT), ++i)
    {
        std::string strKey = strName + ".key" + std::to_string(i);
        RECT rcKey = ScreenRectOf(hKey);
        Place(strKey, strName, rcKey);
        RECT rcText = TextAt(hKey, (HFONT)GetStockObject(DEFAULT_GUI_FONT), WindowText(hKey), 0, 0, DT_SINGLELINE);
        Place(strKey + ".text", strKey, CentredIn(rcKey, rcText));
    }
}

// A radio button's label sits right of its round mark; a group box's caption on its top edge.
int ScaledForScreen(int n96) { return MulDiv(n96, ScreenDpi(), 96); }

void PlaceRadio(const std::string &strName, const std::string &strContainer, HWND hRadio)
{
    RECT rc = ScreenRectOf(hRadio);
    Place(strName, strContainer, rc);
    RECT rcText = TextAt(hRadio, NULL, WindowText(hRadio), 0, 0, DT_SINGLELINE);
    int cxMark = ScaledForScreen(13 + 4);
    int cy = rcText.bottom - rcText.top;
    RECT rcLabel = { rc.left + cxMark, (rc.top + rc.bottom - cy) / 2, rc.left + cxMark + rcText.right,
                     (rc.top + rc.bottom - cy) / 2 + cy };
    Place(strName + ".text", strName, rcLabel);
}

void PlaceGroup(const std::string &strName, const std::string &strContainer, HWND hGroup)
{
    RECT rc = ScreenRectOf(hGroup);
    Place(strName, strContainer, rc);
    RECT rcText = TextAt(hGroup, NULL, WindowText(hGroup), rc.left + ScaledForScreen(8), rc.top, DT_SINGLELINE);
    Place(strName + ".text", strName, rcText);
}

// A static text wraps at its width: all of its lines must fit its height.
void PlaceStatic(const std::string &strName, const std::string &strContainer, HWND hStatic)
{
    RECT rc = ScreenRectOf(hStatic);
    Place(strName, strContainer, rc);
    if ((GetWindowLongW(hStatic, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT)
        Place(strName + ".text", strName,
              TextAt(hStatic, NULL, WindowText(hStatic), rc.left, rc.top, DT_WORDBREAK, rc.right - rc.left));
}

void WritePlaced()
{
    const std::wstring &strPath = ChildArgument(LAYOUT_ARG);
    if (strPath.empty())
        return;
    FILE *pFile = _wfopen(strPath.c_str(), L"ab");
    if (!pFile)
        return;
    for (const Placed &p : g_placed)
        fprintf(pFile, "%s %s %ld %ld %ld %ld\n", p.strName.c_str(), p.strContainer.empty() ? "-" : p.strContainer.c_str(),
                p.rc.left, p.rc.top, p.rc.right, p.rc.bottom);
    fclose(pFile);
    g_placed.clear();
}

int Shift()
{
    return ChildDpi() >= 192 ? 1 : 0;
}

// A designed length in the child's pixels: the designed numbers doubled at 192 dpi.
int L(int n96)
{
    return n96 << Shift();
}

class MainAtDpi : public testing::Test
{
protected:
    void SetUp() override
    {
        g_placed.clear();
        g_hInstance = GetModuleHandleW(NULL);
        ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
        wcsncpy(g_szXMLFilePath, m_dir.File(L"config.xml").c_str(), MAX_PATH - 1);
        WriteFileBytes(m_dir.File(L"config.xml"), STORED_CONFIG);
        g_pResLib = new ResourceLibrary;
    }
    void TearDown() override
    {
        WritePlaced();
        delete g_pResLib;
        g_pResLib = NULL;
    }

    // The scale as the main program sets it from the screen.
    void InitScale()
    {
        HDC hdc = GetDC(NULL);
        g_pResLib->InitScale(hdc);
        ReleaseDC(NULL, hdc);
    }

    TempDir m_dir;
};

void Drain()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

RECT InTab(HWND hControl)
{
    return ChildRect(hControl);
}

void ExpectAt(const char *pszName, HWND hControl, int x, int y, int cx, int cy)
{
    RECT rc = InTab(hControl);
    EXPECT_EQ(x, rc.left) << pszName;
    EXPECT_EQ(y, rc.top) << pszName;
    if (cx >= 0)
    {
        EXPECT_EQ(cx, rc.right - rc.left) << pszName;
    }
    if (cy >= 0)
    {
        EXPECT_EQ(cy, rc.bottom - rc.top) << pszName;
    }
}

} // namespace

TEST_F(MainAtDpi, ScreenHasTheDensityOfTheRun)
{
    EXPECT_EQ(ChildDpi(), ScreenDpi());
    InitScale();
    EXPECT_EQ(Shift(), g_nScaleShift);
}

TEST_F(MainAtDpi, PagesKeepTheirDesignedPlacesAndEverythingFitsAboveTheMenuBar)
{
    {
        FixedToday today(2010, 3, 27);
        ASSERT_TRUE(StartInstance(GetModuleHandleW(NULL), SW_SHOW));
    }
    Drain();
    EXPECT_EQ(Shift(), g_nScaleShift);
    ASSERT_TRUE(g_pTab != NULL);
    HWND hTab = g_pTab->GetHwnd();
    RECT rcTab;
    GetClientRect(hTab, &rcTab);
    int W = rcTab.right, H = rcTab.bottom;

    ExpectAt("status", g_editStatus.GetHwnd(), L(10), L(30), W - L(20), L(40));
    ExpectAt("advice", g_editWeekAdvice.GetHwnd(), L(10), L(30), W - L(10), H - L(35));
    ExpectAt("picture", g_picMonth.GetHwnd(), L(10), L(75), -1, -1);   // a bitmap sizes it
    ExpectAt("due date", g_editDueDate.GetHwnd(), L(5), L(100), W - L(10), L(50));

    RECT rcScreen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    Place("screen", "", rcScreen);
    Place("main", "screen", ScreenRectOf(g_hWndMain));
    Place("main.client", "main", ClientOnScreen(g_hWndMain));
    ASSERT_TRUE(g_pResLib && g_pResLib->m_hwndMenuBar);
    PlaceMenuBar("menubar", "screen", g_pResLib->m_hwndMenuBar);
    EXPECT_EQ(ScaledForScreen(26), ScreenRectOf(g_pResLib->m_hwndMenuBar).bottom
                                     - ScreenRectOf(g_pResLib->m_hwndMenuBar).top);
    Place("tab", "main.client", ScreenRectOf(hTab));
    Place("tab.client", "tab", ClientOnScreen(hTab));

    // The row of page labels, and the pages below it.
    RECT rcLabels = {};
    for (int i = 0; i < TabCtrl_GetItemCount(hTab); ++i)
    {
        RECT rcItem;
        TabCtrl_GetItemRect(hTab, i, &rcItem);
        MapWindowPoints(hTab, NULL, (POINT *)&rcItem, 2);
        UnionRect(&rcLabels, &rcLabels, &rcItem);
    }
    Place("tab.labels", "tab.client", rcLabels);
    Place("status", "tab.client", ScreenRectOf(g_editStatus.GetHwnd()));
    PlaceEditText("status", g_editStatus.GetHwnd());
    Place("picture", "tab.client", ScreenRectOf(g_picMonth.GetHwnd()));

    // Three texts in the system font, as large as the density makes them (the parent compares).
    WCHAR szLabel[32] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szLabel;
    item.cchTextMax = ARRAYSIZE(szLabel);
    TabCtrl_GetItem(hTab, PAGE_TODAY, &item);
    Place("text.tab", "", TextAt(hTab, NULL, szLabel, 0, 0, DT_SINGLELINE));
    Place("text.status", "", TextAt(g_editStatus.GetHwnd(), NULL, WindowText(g_editStatus.GetHwnd()), 0, 0, DT_SINGLELINE));
    Place("text.duedate", "", TextAt(g_editDueDate.GetHwnd(), NULL, WindowText(g_editDueDate.GetHwnd()), 0, 0, DT_SINGLELINE));

    ShowPage(PAGE_DETAILS);
    Place("advice", "tab.client", ScreenRectOf(g_editWeekAdvice.GetHwnd()));
    ShowPage(PAGE_DUE_DATE);
    Place("duedate", "tab.client", ScreenRectOf(g_editDueDate.GetHwnd()));
    PlaceEditText("duedate", g_editDueDate.GetHwnd());
    ShowPage(PAGE_TODAY);

    DestroyWindow(g_hWndMain);
    Drain();
    UnregisterClassW(L"MAIN", GetModuleHandleW(NULL));
    delete g_pConfig;
    g_pConfig = NULL;
    g_hWndMain = NULL;
    g_pResLib = NULL;   // the main window gave it back when it closed
}

TEST_F(MainAtDpi, SettingsDialogKeepsItsDesignedPlaces)
{
    InitScale();
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    g_pConfig = new ConfigDocument;
    RunDialog(IDD_SETTINGS, SettingsDlgProc, [&](HWND hDlg) {
        HWND hCal = FindWindowExW(hDlg, NULL, MONTHCAL_CLASSW, NULL);
        ASSERT_TRUE(hCal != NULL);
        RECT rcCal = ChildRect(hCal);
        EXPECT_EQ(L(50), rcCal.left);
        EXPECT_EQ(L(30), rcCal.top);
        RECT rcMin = {};
        SendMessageW(hCal, MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
        int cxCal = rcCal.right - rcCal.left, cyCal = rcCal.bottom - rcCal.top;
        // Short of its minimum on either side, the calendar takes the whole minimum.
        bool bGrown = rcMin.right > L(100) || rcMin.bottom > L(100);
        EXPECT_EQ(bGrown ? rcMin.right : L(100), cxCal);
        EXPECT_EQ(bGrown ? rcMin.bottom : L(100), cyCal);

        HWND hRadio365 = GetDlgItem(hDlg, IDC_RADIO_365), hRadio280 = GetDlgItem(hDlg, IDC_RADIO_280);
        HWND hDateGroup = NULL, hMethodGroup = NULL;
        for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        {
            if ((GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
                continue;
            (WindowText(h) == L"设置怀孕日期" ? hDateGroup : hMethodGroup) = h;
        }
        ASSERT_TRUE(hRadio365 && hRadio280 && hDateGroup && hMethodGroup);
        // All of the calendar shows on the device's screen, which the frameless dialog spans,
        // and the method group leaves it uncovered.
        RECT rcOnDevice = {};
        GetClientRect(hDlg, &rcOnDevice);
        rcOnDevice.right = std::min(rcOnDevice.right, (LONG)L(DEVICE_SCREEN_CX));
        EXPECT_TRUE(Inside(rcCal, rcOnDevice)) << Describe(rcCal) << " in " << Describe(rcOnDevice);
        EXPECT_FALSE(Overlap(rcCal, ChildRect(hMethodGroup))) << Describe(ChildRect(hMethodGroup));
        EXPECT_FALSE(PaintsOutside(hCal));
        ExpectAt("radio 365", hRadio365, L(50), L(195), L(100), L(30));
        ExpectAt("radio 280", hRadio280, L(50), L(235), L(100), L(30));
        ExpectAt("date group", hDateGroup, L(20), L(10), L(60) + cxCal, L(30) + cyCal);
        ExpectAt("method group", hMethodGroup, L(20), L(175), L(60) + cxCal, L(95));

        Place("settings", "", ScreenRectOf(hDlg));
        Place("settings.client", "settings", ClientOnScreen(hDlg));
        ASSERT_TRUE(g_pResLib->m_hwndMenuBar != NULL);
        PlaceMenuBar("settings.menubar", "", g_pResLib->m_hwndMenuBar);
        Place("settings.calendar", "settings.client", ScreenRectOf(hCal));
        PlaceGroup("settings.dategroup", "settings.client", hDateGroup);
        PlaceGroup("settings.methodgroup", "settings.client", hMethodGroup);
        PlaceRadio("settings.radio365", "settings.client", hRadio365);
        PlaceRadio("settings.radio280", "settings.client", hRadio280);
    });
    delete g_pConfig;
    g_pConfig = NULL;
    CoUninitialize();
}

TEST_F(MainAtDpi, AboutDialogFitsInBothLayouts)
{
    InitScale();
    RunDialog(IDD_ABOUT, AboutDlgProc, [&](HWND hDlg) {
        Place("about", "", ScreenRectOf(hDlg));
        Place("about.client", "about", ClientOnScreen(hDlg));
        ASSERT_TRUE(g_pResLib->m_hwndMenuBar != NULL);
        PlaceMenuBar("about.menubar", "", g_pResLib->m_hwndMenuBar);
        const struct { int nTemplate; const char *pszLayout; } layouts[] = {
            { IDD_ABOUT, "portrait" }, { IDD_ABOUT_WIDE, "landscape" } };
        for (const auto &layout : layouts)
        {
            RelayoutDialog(g_hInstance, hDlg, layout.nTemplate);
            // Each layout on its own: the same control in the other layout is not its neighbour.
            std::string strLayout = std::string("about.") + layout.pszLayout;
            Place(strLayout, "", ClientOnScreen(hDlg));
            const int aIds[] = { IDC_ABOUT_ICON, IDC_ABOUT_VERSION, IDC_ABOUT_TITLE, IDC_ABOUT_NOTICE };
            for (int nId : aIds)
                PlaceStatic(strLayout + "." + std::to_string(nId), strLayout, GetDlgItem(hDlg, nId));
        }
    });
}

TEST_F(MainAtDpi, HelpTextBoxFillsTheDialogAboveTheMenuBar)
{
    InitScale();
    RunDialog(IDD_HELP, HelpDlgProc, [&](HWND hDlg) {
        HWND hEdit = FindWindowExW(hDlg, NULL, L"EDIT", NULL);
        ASSERT_TRUE(hEdit != NULL);
        Place("help", "", ScreenRectOf(hDlg));
        Place("help.client", "help", ClientOnScreen(hDlg));
        ASSERT_TRUE(g_pResLib->m_hwndMenuBar != NULL);
        PlaceMenuBar("help.menubar", "", g_pResLib->m_hwndMenuBar);
        Place("help.text", "help.client", ScreenRectOf(hEdit));
        // The first line of the text is whole inside the box.
        RECT rcFormat = {};
        SendMessageW(hEdit, EM_GETRECT, 0, (LPARAM)&rcFormat);
        MapWindowPoints(hEdit, NULL, (POINT *)&rcFormat, 2);
        rcFormat.bottom = rcFormat.top + TextHeightOf(hEdit);
        Place("help.text.firstline", "help.text", rcFormat);
    });
}

// --- The parent: comparing the two densities ------------------------------------------------

namespace {

typedef std::map<std::string, Placed> Layout;

Layout ReadLayout(const std::wstring &strPath)
{
    Layout layout;
    std::string strBytes = ReadFileBytes(strPath);
    size_t nStart = 0;
    while (nStart < strBytes.size())
    {
        size_t nEnd = strBytes.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strBytes.size();
        std::string strLine = strBytes.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        char szName[128] = "", szContainer[128] = "";
        long l, t, r, b;
        if (sscanf(strLine.c_str(), "%127s %127s %ld %ld %ld %ld", szName, szContainer, &l, &t, &r, &b) != 6)
            continue;
        Placed p;
        p.strName = szName;
        p.strContainer = strcmp(szContainer, "-") == 0 ? "" : szContainer;
        SetRect(&p.rc, l, t, r, b);
        layout[p.strName] = p;
    }
    return layout;
}

} // namespace

TEST(MainDensity, NothingIsCutOffOrCoveredAt192DpiThatIsNotAt96)
{
    TempDir dir;
    std::wstring strAt96 = dir.File(L"at96.txt"), strAt192 = dir.File(L"at192.txt");
    {
        LogPixelsRestorer restorer;
        EXPECT_EQ(0, RunSelfAtDpi(96, L"--layout=\"" + strAt96 + L"\"")) << "the checks at 96 dpi";
        EXPECT_EQ(0, RunSelfAtDpi(192, L"--layout=\"" + strAt192 + L"\"")) << "the checks at 192 dpi";
    }
    Layout at96 = ReadLayout(strAt96), at192 = ReadLayout(strAt192);
    ASSERT_FALSE(at96.empty());
    ASSERT_EQ(at96.size(), at192.size());

    // Text in the system font is twice as large at 192 dpi: as tall to the pixel, and as wide
    // as a sum of rounded glyph widths comes out.
    for (const char *pszText : { "text.tab", "text.status", "text.duedate" })
    {
        ASSERT_EQ(1u, at96.count(pszText) * at192.count(pszText)) << pszText;
        const RECT &a = at96[pszText].rc, &b = at192[pszText].rc;
        EXPECT_NEAR(2 * (a.bottom - a.top), b.bottom - b.top, 1) << pszText;
        EXPECT_NEAR(2.0, double(b.right - b.left) / (a.right - a.left), 0.15) << pszText;
    }

    for (const auto &entry : at192)
    {
        const Placed &p = entry.second;
        ASSERT_EQ(1u, at96.count(p.strName)) << p.strName;
        const Placed &q = at96[p.strName];
        if (p.strContainer.empty())
            continue;
        ASSERT_EQ(1u, at192.count(p.strContainer)) << p.strContainer;
        bool bIn192 = Inside(p.rc, at192[p.strContainer].rc), bIn96 = Inside(q.rc, at96[q.strContainer].rc);
        EXPECT_TRUE(bIn192 || !bIn96) << p.strName << " at " << Describe(p.rc) << " leaves " << p.strContainer
                                      << " at " << Describe(at192[p.strContainer].rc) << " at 192 dpi only";
        if (!bIn96)
            printf("note: %s leaves %s at both densities\n", p.strName.c_str(), p.strContainer.c_str());
    }

    // Things side by side in the same container.
    for (const auto &a : at192)
        for (const auto &b : at192)
        {
            if (a.first >= b.first || a.second.strContainer != b.second.strContainer || a.second.strContainer.empty())
                continue;
            bool bOver192 = Overlap(a.second.rc, b.second.rc);
            bool bOver96 = Overlap(at96[a.first].rc, at96[b.first].rc);
            EXPECT_TRUE(!bOver192 || bOver96) << a.first << " at " << Describe(a.second.rc) << " and " << b.first
                                              << " at " << Describe(b.second.rc) << " overlap at 192 dpi only";
            if (bOver96 && bOver192)
                printf("note: %s and %s overlap at both densities\n", a.first.c_str(), b.first.c_str());
        }
}
