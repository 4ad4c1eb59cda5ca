// The Today item on screens of 96 and 192 dots per inch: its height, icon, font and the two
// lines of its status, each density in a child run of this program; and the Today screen
// stand-in laying the real item out on a 480 x 640, 192-dpi screen.
#include <gtest/gtest.h>
#include <string>
#include <aygshell.h>
#include <todaycmn.h>
#include "today/item_init.h"
#include "today/item_state.h"
#include "today/item_window.h"
#include "today/status_line.h"
#include "platform/today/host_layout.h"
#include "platform/today/host_names.h"
#include "tests/dpi_child.h"
#include "tests/fixed_clock.h"
#include "tests/temp_dir.h"
#include "tests/today_registration.h"
#include "tests/test_today_window.h"

namespace {

const COLORREF TEXT_COLOUR = TEST_TODAY_TEXT;
const COLORREF BACKGROUND = TEST_TODAY_BACKGROUND;
const wchar_t SHELL_READY[] = L"SYSTEM/ShellAPIReady";
const wchar_t TWELVE_WEEKS_ONE_DAY[] = L"今天是您怀孕的孕周: 12 周 1 天\n 更多详情请点击查看";

// What the item looks like at each density the tests run at.
struct ItemAtDensity
{
    int nDpi;
    int cxToday;        // the Today screen's width on such a device
    int cyItem;         // the height it asks the shell for
    int xIcon;
    int cxIcon;
    int xText;          // left edge of the text
    int yText;          // top of the first line
    int nFontCjk, nFontLatin;
};

const ItemAtDensity DENSITIES[] = {
    { 96,  240, 40, 2, 16, 40, 2, -12, -11 },
    { 192, 480, 80, 4, 32, 80, 4, -24, -21 },
};

const ItemAtDensity *Expected()
{
    for (const ItemAtDensity &d : DENSITIES)
        if (d.nDpi == ChildDpi())
            return &d;
    return NULL;
}

// A memory bitmap of the screen's kind, with the item painted into it as the Today screen shows it.
class Canvas
{
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        HDC hdcScreen = GetDC(NULL);
        m_hdc = CreateCompatibleDC(hdcScreen);
        m_hbm = CreateCompatibleBitmap(hdcScreen, cx, cy);
        ReleaseDC(NULL, hdcScreen);
        m_hOld = SelectObject(m_hdc, m_hbm);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(m_hdc, m_hOld);
        DeleteObject(m_hbm);
        DeleteDC(m_hdc);
    }
    void Clear()
    {
        RECT rc = { 0, 0, m_cx, m_cy };
        HBRUSH hBrush = CreateSolidBrush(BACKGROUND);
        FillRect(m_hdc, &rc, hBrush);
        DeleteObject(hBrush);
    }
    void PaintItem(HWND hItem)
    {
        SendMessageW(hItem, WM_ERASEBKGND, (WPARAM)m_hdc, 0);
        ::PaintItem(hItem, m_hdc);
    }
    COLORREF At(int x, int y) const { return GetPixel(m_hdc, x, y); }
    int CountOf(COLORREF cr, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == cr;
        return n;
    }
    // The leftmost column holding anything but the background, within the given columns.
    int LeftmostDrawn(int x0, int x1, int y0, int y1) const
    {
        for (int x = x0; x < x1; ++x)
            for (int y = y0; y < y1; ++y)
                if (At(x, y) != BACKGROUND)
                    return x;
        return -1;
    }
    HDC Dc() const { return m_hdc; }

private:
    int m_cx, m_cy;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
};

class ItemAtDpi : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ItemProcessAttach(GetModuleHandleW(NULL));
    }

    void SetUp() override
    {
        m_pExpected = Expected();
        ASSERT_TRUE(m_pExpected != NULL) << "no expectations for " << ChildDpi() << " dpi";
        m_hReady = CreateEventW(NULL, TRUE, TRUE, SHELL_READY);
        m_hToday = CreateTestTodayWindow(0, 0, m_pExpected->cxToday, 10 * m_pExpected->cyItem);
        g_bFirstDisplay = TRUE;
        g_szShowTxt[0] = 0;
    }

    void TearDown() override
    {
        if (m_hItem)
            DestroyWindow(m_hItem);
        DestroyWindow(m_hToday);
        CloseHandle(m_hReady);
    }

    // The item as the shell starts it, twelve weeks and a day along, laid out at the height
    // it reports across the Today screen.
    HWND StartAndLayOut()
    {
        m_hItem = InitializeCustomItem(NULL, m_hToday);
        WriteFileBytes(m_dir.File(L"config.xml"),
                       "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
                       "<CONFIG><StartTime>2010-1-1</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n");
        wcscpy(g_szXMLFilePath, m_dir.File(L"config.xml").c_str());
        FixedToday today(2010, 3, 27);
        CalculatePragnantTime();
        TODAYLISTITEM item;
        ZeroMemory(&item, sizeof(item));
        SendMessageW(m_hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0);
        MoveWindow(m_hItem, 0, 0, m_pExpected->cxToday, (int)item.cyp, FALSE);
        return m_hItem;
    }

    const ItemAtDensity *m_pExpected = NULL;
    TempDir m_dir;
    HWND m_hToday = NULL;
    HWND m_hItem = NULL;
    HANDLE m_hReady = NULL;
};

} // namespace

TEST_F(ItemAtDpi, ScreenHasTheDensityOfTheRun)
{
    HDC hdc = GetDC(NULL);
    EXPECT_EQ(m_pExpected->nDpi, GetDeviceCaps(hdc, LOGPIXELSX));
    EXPECT_EQ(m_pExpected->nDpi, GetDeviceCaps(hdc, LOGPIXELSY));
    ReleaseDC(NULL, hdc);
}

TEST_F(ItemAtDpi, AsksTheShellForItsHeightOnScreen)
{
    m_hItem = InitializeCustomItem(NULL, m_hToday);
    ASSERT_TRUE(m_hItem != NULL);
    TODAYLISTITEM item;
    ZeroMemory(&item, sizeof(item));
    EXPECT_EQ(1, SendMessageW(m_hItem, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ((DWORD)m_pExpected->cyItem, item.cyp);
}

TEST_F(ItemAtDpi, LoadsItsIconAtTheScreensSize)
{
    m_hItem = InitializeCustomItem(NULL, m_hToday);
    ASSERT_TRUE(g_hIcon != NULL);
    ICONINFO ii;
    ASSERT_TRUE(GetIconInfo(g_hIcon, &ii));
    BITMAP bm;
    GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(m_pExpected->cxIcon, bm.bmWidth);
    EXPECT_EQ(m_pExpected->cxIcon, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
}

TEST_F(ItemAtDpi, DrawsItsIconAtTheScaledLeftEdge)
{
    HWND hItem = StartAndLayOut();
    RECT rc;
    GetClientRect(hItem, &rc);
    Canvas painted(rc.right, rc.bottom);
    painted.PaintItem(hItem);

    // The same icon drawn by hand at the expected place, on the same background.
    Canvas reference(rc.right, rc.bottom);
    ASSERT_TRUE(DrawIconEx(reference.Dc(), m_pExpected->xIcon, 0, g_hIcon, 0, 0, 0, NULL, DI_NORMAL));
    int nIconLeft = reference.LeftmostDrawn(0, m_pExpected->xText, 0, rc.bottom);
    ASSERT_GE(nIconLeft, m_pExpected->xIcon);
    EXPECT_EQ(nIconLeft, painted.LeftmostDrawn(0, m_pExpected->xText, 0, rc.bottom));

    int nDifferent = 0;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < m_pExpected->xText; ++x)
            nDifferent += painted.At(x, y) != reference.At(x, y);
    EXPECT_EQ(0, nDifferent) << "pixels left of the text that differ from the icon at x " << m_pExpected->xIcon;
}

TEST_F(ItemAtDpi, FontFollowsTheLanguageAndTheDensity)
{
    HDC hdc = GetDC(NULL);
    HFONT hFont = CreateItemFont(hdc);
    ReleaseDC(NULL, hdc);
    LOGFONTW lf;
    GetObjectW(hFont, sizeof(lf), &lf);
    DeleteObject(hFont);
    // The tests' prefix runs a Chinese locale; the other branch is checked where it applies.
    if ((GetUserDefaultLangID() & 0x3FF) == LANG_CHINESE)
    {
        EXPECT_EQ(m_pExpected->nFontCjk, lf.lfHeight);
        EXPECT_EQ(400, lf.lfWeight);
    }
    else
    {
        EXPECT_EQ(m_pExpected->nFontLatin, lf.lfHeight);
        EXPECT_EQ(700, lf.lfWeight);
    }
}

TEST_F(ItemAtDpi, BothLinesOfTheStatusFitInsideTheItem)
{
    HWND hItem = StartAndLayOut();
    ASSERT_STREQ(TWELVE_WEEKS_ONE_DAY, g_szShowTxt);
    RECT rc;
    GetClientRect(hItem, &rc);
    ASSERT_EQ(m_pExpected->cyItem, rc.bottom);

    // The lines as the item lays them out, measured against its height.
    Canvas painted(rc.right, rc.bottom);
    HFONT hFont = CreateItemFont(painted.Dc());
    HGDIOBJ hOldFont = SelectObject(painted.Dc(), hFont);
    TEXTMETRICW tm;
    GetTextMetricsW(painted.Dc(), &tm);
    RECT rcCalc = { m_pExpected->xText, m_pExpected->yText, rc.right, rc.bottom };
    int cyText = DrawTextW(painted.Dc(), g_szShowTxt, -1, &rcCalc, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    SelectObject(painted.Dc(), hOldFont);
    DeleteObject(hFont);
    EXPECT_EQ(2 * tm.tmHeight, cyText) << "two lines, neither wrapped";
    EXPECT_LE(rcCalc.bottom, rc.bottom) << "text reaches below the item";
    EXPECT_LE(rcCalc.right, rc.right);

    // Painted: the second line's rows carry text, and nothing of the text is cut off; the
    // same item given room to spare paints no more of it.
    painted.PaintItem(hItem);
    int yLine2 = m_pExpected->yText + tm.tmHeight;
    int nLine1 = painted.CountOf(TEXT_COLOUR, m_pExpected->xText, m_pExpected->yText, rc.right, yLine2);
    int nLine2 = painted.CountOf(TEXT_COLOUR, m_pExpected->xText, yLine2, rc.right, rc.bottom);
    EXPECT_GT(nLine1, 0);
    EXPECT_GT(nLine2, 0);

    MoveWindow(hItem, 0, 0, rc.right, 3 * rc.bottom, FALSE);
    Canvas roomy(rc.right, 3 * rc.bottom);
    roomy.PaintItem(hItem);
    EXPECT_EQ(nLine1 + nLine2, roomy.CountOf(TEXT_COLOUR, 0, 0, rc.right, 3 * rc.bottom))
        << "part of the status is cut off at the item's bottom edge";
}

// --- The parent: each density in a child run -------------------------------------------------

TEST(ItemDensity, ChecksHoldAt96And192Dpi)
{
    LogPixelsRestorer restorer;
    for (const ItemAtDensity &d : DENSITIES)
        EXPECT_EQ(0, RunSelfAtDpi(d.nDpi)) << "the item's checks at " << d.nDpi << " dpi";
}

namespace {

const wchar_t HOST_ITEM_NAME[] = L"UlvoHiDpiTestItem";
const DWORD WAIT_LIMIT_MS = 20000;

void RegisterHostItem(const std::wstring &strDll)
{
    ASSERT_TRUE(RegisterTodayItem({ HOST_ITEM_NAME, strDll, tlitCustom, 1, 0, 0 }));
}

RECT RectInParent(HWND hwnd)
{
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(NULL, GetParent(hwnd), (POINT *)&rc, 2);
    return rc;
}

// The Today screen stand-in, started at a density, closed and waited for at the end.
class HostAtDpi
{
public:
    HostAtDpi(DWORD dwDpi, const wchar_t *pszArgs)
    {
        ZeroMemory(&m_pi, sizeof(m_pi));
        if (!SetLogPixels(dwDpi))
            return;
        std::wstring strCmd = L"\"" + BinDir() + L"\\todayhost.exe\" " + pszArgs;
        STARTUPINFOW si;
        ZeroMemory(&si, sizeof(si));
        si.cb = sizeof(si);
        CreateProcessW(NULL, &strCmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi);
    }
    ~HostAtDpi()
    {
        if (!m_pi.hProcess)
            return;
        HWND hwndFrame = Find([&]() { return OwnWindow(FindWindowW(HOST_FRAME_CLASS, NULL)); });
        if (hwndFrame)
            PostMessageW(hwndFrame, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, WAIT_LIMIT_MS) != WAIT_OBJECT_0)
            TerminateProcess(m_pi.hProcess, 99);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
    bool Started() const { return m_pi.hProcess != NULL; }
    HWND OwnWindow(HWND hwnd) const
    {
        DWORD dwPid = 0;
        return hwnd && GetWindowThreadProcessId(hwnd, &dwPid) && dwPid == m_pi.dwProcessId ? hwnd : NULL;
    }
    template <class F> HWND Find(F find) const
    {
        DWORD dwStart = GetTickCount();
        for (;;)
        {
            HWND hwnd = find();
            if (hwnd || GetTickCount() - dwStart > WAIT_LIMIT_MS)
                return hwnd;
            Sleep(100);
        }
    }

private:
    PROCESS_INFORMATION m_pi;
};

} // namespace

TEST(ItemDensity, HighDensityTodayScreenLaysTheItemOutAtTheHeightItReports)
{
    // The item as installed: ulvo.dll with its resource library beside it, no settings yet.
    TempDir dir;
    const wchar_t *const apszFiles[] = { L"ulvo.dll", L"UlvoRes.dll" };
    for (const wchar_t *pszFile : apszFiles)
        ASSERT_TRUE(CopyFileW((BinDir() + L"\\" + pszFile).c_str(), dir.File(pszFile).c_str(), FALSE)) << pszFile;
    RegisterHostItem(dir.File(L"ulvo.dll"));

    {
        LogPixelsRestorer restorer;
        HostAtDpi host(192, L"/hidpi");
        ASSERT_TRUE(host.Started());
        HWND hwndFrame = host.Find([&]() { return host.OwnWindow(FindWindowW(HOST_FRAME_CLASS, NULL)); });
        ASSERT_TRUE(hwndFrame != NULL) << "the Today screen never appeared";
        HWND hwndToday = FindWindowExW(hwndFrame, NULL, HOST_TODAY_CLASS, NULL);
        ASSERT_TRUE(hwndToday != NULL);
        HWND hwndItem = host.Find([&]() {
            HWND hwnd = FindWindowExW(hwndToday, NULL, L"Ulvo", NULL);
            if (!hwnd)
                return (HWND)NULL;
            RECT rc = RectInParent(hwnd);
            return rc.bottom - rc.top == 80 ? hwnd : (HWND)NULL;
        });
        ASSERT_TRUE(hwndItem != NULL) << "the item was never laid out 80 pixels high";

        RECT rcFrame, rcToday, rcTaskBar;
        GetWindowRect(hwndFrame, &rcFrame);
        GetClientRect(hwndToday, &rcToday);
        EXPECT_EQ(480, rcFrame.right - rcFrame.left);
        EXPECT_EQ(640, rcFrame.bottom - rcFrame.top);
        HWND hwndTaskBar = host.OwnWindow(FindWindowW(TASKBAR_CLASS, NULL));
        ASSERT_TRUE(hwndTaskBar != NULL);
        GetWindowRect(hwndTaskBar, &rcTaskBar);
        EXPECT_EQ(52, rcTaskBar.bottom - rcTaskBar.top);

        RECT rcItem = RectInParent(hwndItem);
        EXPECT_EQ(0, rcItem.left);
        EXPECT_EQ(0, rcItem.top);
        EXPECT_EQ(rcToday.right, rcItem.right);
        EXPECT_EQ(480, rcItem.right - rcItem.left);
    }
    UnregisterTodayItem(HOST_ITEM_NAME);
}
