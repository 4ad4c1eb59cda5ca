// The main window in this process: what start-up does with config.xml, the messages and
// commands it answers, and the three ways of closing it.
#include "main/main_globals.h"
#include "main/main_window.h"
#include "main/message_box.h"
#include "main/pages.h"
#include "main/status_texts.h"
#include "main/tab_control.h"
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "resources/main_ids.h"
#include "tests/fixed_clock.h"
#include "tests/temp_dir.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ShownBox
{
    std::wstring strText;
    std::wstring strCaption;
    UINT uType;
    HWND hWndOwner;
};

std::vector<ShownBox> s_boxes;

int WINAPI RecordMessageBox(HWND hWnd, LPCWSTR pszText, LPCWSTR pszCaption, UINT uType)
{
    s_boxes.push_back({ pszText ? pszText : L"", pszCaption ? pszCaption : L"", uType, hWnd });
    return IDOK;
}

const char STORED_CONFIG[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
    "<CONFIG><StartTime>2010-1-1</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n";

std::wstring WindowText(HWND hWnd)
{
    wchar_t sz[1024] = L"";
    SendMessageW(hWnd, WM_GETTEXT, ARRAYSIZE(sz), (LPARAM)sz);
    return sz;
}

LRESULT CALLBACK TaskBarProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// The platform's task bar, hidden as if an earlier full-screen program had put it away.
class HiddenTaskBar
{
public:
    HiddenTaskBar()
    {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = TaskBarProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = L"HHTaskBar";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, L"HHTaskBar", NULL, WS_POPUP, 0, 0, 240, 26, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
    }
    ~HiddenTaskBar()
    {
        DestroyWindow(m_hWnd);
        UnregisterClassW(L"HHTaskBar", GetModuleHandleW(NULL));
    }
    // Hidden or minimized while a full-screen program runs; back in place afterwards.
    bool IsPutAway() const { return !IsWindowVisible(m_hWnd) || IsIconic(m_hWnd); }
    bool IsShown() const { return IsWindowVisible(m_hWnd) && !IsIconic(m_hWnd); }

private:
    HWND m_hWnd;
};

} // namespace

class MainStartup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s_boxes.clear();
        g_pfnMessageBox = RecordMessageBox;
        g_PregnancyCalendar = PregnancyCalendar();
        g_szStatusTxt[0] = 0;
        g_bStartTimeSet = 0;
        ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
        wcsncpy(g_szXMLFilePath, ConfigPath().c_str(), MAX_PATH - 1);
        g_pResLib = new ResourceLibrary;
    }
    void TearDown() override
    {
        if (g_hWndMain && IsWindow(g_hWndMain))
            DestroyWindow(g_hWndMain);
        m_nQuitCode = DrainUntilQuit();
        UnregisterClassW(L"MAIN", GetModuleHandleW(NULL));
        delete g_pResLib;
        g_pResLib = NULL;
        delete g_pConfig;
        g_pConfig = NULL;
        g_hWndMain = NULL;
        g_pfnMessageBox = MessageBoxW;
    }

    std::wstring ConfigPath() const { return m_dir.File(L"config.xml"); }

    bool Start()
    {
        FixedToday today(2010, 1, 15);
        return StartInstance(GetModuleHandleW(NULL), SW_SHOW) != FALSE;
    }

    // Runs the window's pending messages; returns the quit code, or -1 when none came.
    int DrainUntilQuit()
    {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                return (int)msg.wParam;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return -1;
    }

    std::wstring Status() { return WindowText(g_editStatus.GetHwnd()); }

    TempDir m_dir;
    int m_nQuitCode = -1;
};

TEST_F(MainStartup, FirstStartCreatesAnEmptyConfigurationSilently)
{
    ASSERT_TRUE(Start());
    std::string strBytes = ReadFileBytes(ConfigPath());
    EXPECT_NE(std::string::npos, strBytes.find("<?xml version=")) << strBytes;
    EXPECT_NE(std::string::npos, strBytes.find("GB2312")) << strBytes;
    EXPECT_NE(std::string::npos, strBytes.find("CONFIG")) << strBytes;
    EXPECT_EQ(std::string::npos, strBytes.find("StartTime")) << strBytes;
    EXPECT_TRUE(s_boxes.empty());
    EXPECT_EQ(L"请设置怀孕开始时间", Status());

    // What was written loads again and holds an empty CONFIG.
    ConfigDocument doc;
    ASSERT_EQ(S_OK, doc.InitXMLDOMDocument());
    ASSERT_EQ(S_OK, doc.LoadXMLFile(g_szXMLFilePath));
    IXMLDOMNode *pRoot = NULL;
    EXPECT_EQ(S_OK, doc.SelectNode(CONFIG_ROOT, &pRoot));
    ASSERT_TRUE(pRoot != NULL);
    VARIANT_BOOL bChildren = VARIANT_TRUE;
    pRoot->hasChildNodes(&bChildren);
    EXPECT_EQ(VARIANT_FALSE, bChildren);
    pRoot->Release();
    doc.ReleaseXMLDOMDocument();
}

// A config.xml that exists but cannot be used is copied aside, byte for byte, before start-up
// puts a fresh one in its place; start-up then goes on as for a first start.
TEST_F(MainStartup, UnusableConfigurationIsKeptAsACopyBeforeItIsReplaced)
{
    const std::string strBody = "<CONFIG><StartTime>2010-1-1</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n";
    const std::string strDecl = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
    std::string strDeep = strDecl + "<CONFIG>";
    for (int i = 0; i < 200; i++)
        strDeep += "<a>";
    for (int i = 0; i < 200; i++)
        strDeep += "</a>";
    std::string strUtf16 = "\xFF\xFE";
    for (char ch : strDecl + strBody)
        strUtf16 += std::string(1, ch) + '\0';
    struct { const char *pszWhat; std::string strBytes; } const FILES[] = {
        { "UTF-8 byte-order mark before a GB2312 declaration", "\xEF\xBB\xBF" + strDecl + strBody },
        { "UTF-16 with a byte-order mark and a GB2312 declaration", strUtf16 },
        { "a byte that is no GB2312", strDecl + "<CONFIG><Note>\xFF</Note>" + strBody.substr(8) },
        { "NUL padding after a power loss", strDecl + strBody + std::string(64, '\0') },
        { "cut short", (strDecl + strBody).substr(0, 60) },
        { "nested deeper than the reader goes", strDeep + strBody.substr(8) },
        { "another document element", strDecl + "<config><StartTime>2010-1-1</StartTime></config>\r\n" },
        { "too large to be read", strDecl + strBody + std::string(CONFIG_MAX_BYTES, ' ') },
    };
    const std::wstring strCopy = ConfigPath() + CONFIG_BACKUP_SUFFIX;
    ASSERT_TRUE(WriteFileBytes(strCopy, "an older copy"));
    for (const auto &f : FILES)
    {
        SCOPED_TRACE(f.pszWhat);
        ASSERT_TRUE(WriteFileBytes(ConfigPath(), f.strBytes));
        ASSERT_TRUE(Start());
        EXPECT_EQ(f.strBytes, ReadFileBytes(strCopy));
        EXPECT_EQ(strDecl + "<CONFIG/>\r\n", ReadFileBytes(ConfigPath()));
        EXPECT_TRUE(s_boxes.empty());
        EXPECT_EQ(L"请设置怀孕开始时间", Status());
        TearDown();
        SetUp();
    }

    // Without the copy nothing is replaced: the user is told and the file stays.
    DeleteFileW(strCopy.c_str());
    ASSERT_TRUE(CreateDirectoryW(strCopy.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(ConfigPath(), FILES[0].strBytes));
    ASSERT_TRUE(Start());
    EXPECT_EQ(FILES[0].strBytes, ReadFileBytes(ConfigPath()));
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(L"无法初始化程序！", s_boxes[0].strText);
    RemoveDirectoryW(strCopy.c_str());
}

TEST_F(MainStartup, StoredConfigurationIsReadWhateverItsAttributes)
{
    const DWORD aAttributes[] = {
        FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN,
        FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
    };
    for (DWORD dwAttributes : aAttributes)
    {
        SCOPED_TRACE(testing::Message() << "attributes 0x" << std::hex << dwAttributes);
        SetFileAttributesW(ConfigPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(ConfigPath(), STORED_CONFIG));
        SetFileAttributesW(ConfigPath().c_str(), dwAttributes);
        // What a save cut short left beside it goes.
        ASSERT_TRUE(WriteFileBytes(ConfigPath() + CONFIG_TEMP_SUFFIX, "<CONF"));

        ASSERT_TRUE(Start());
        EXPECT_EQ(L"今天是您怀孕的孕周: 2 周 0 天", Status());
        EXPECT_EQ(STORED_CONFIG, ReadFileBytes(ConfigPath()));
        EXPECT_FALSE(FileExists(ConfigPath() + CONFIG_BACKUP_SUFFIX));
        EXPECT_FALSE(FileExists(ConfigPath() + CONFIG_TEMP_SUFFIX));
        EXPECT_TRUE(s_boxes.empty());
        TearDown();
        SetUp();
    }
    SetFileAttributesW(ConfigPath().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainStartup, DirectoryInPlaceOfTheFileShowsTheErrorOnceAndStillOpens)
{
    ASSERT_TRUE(CreateDirectoryW(ConfigPath().c_str(), NULL));
    ASSERT_TRUE(Start());
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(L"无法初始化程序！", s_boxes[0].strText);
    EXPECT_EQ(L"Error", s_boxes[0].strCaption);
    EXPECT_EQ((UINT)MB_OK, s_boxes[0].uType);
    EXPECT_EQ(NULL, s_boxes[0].hWndOwner);
    EXPECT_TRUE(IsWindow(g_hWndMain));
    EXPECT_TRUE(IsWindowVisible(g_hWndMain));
    EXPECT_EQ(L"请设置怀孕开始时间", Status());
    EXPECT_TRUE(GetFileAttributesW(ConfigPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(MainStartup, WindowHasTitleClassMenuBarAndThreePages)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(L"Main", WindowText(g_hWndMain));
    wchar_t szClass[64] = L"";
    GetClassNameW(g_hWndMain, szClass, ARRAYSIZE(szClass));
    EXPECT_STREQ(L"MAIN", szClass);
    ASSERT_TRUE(g_pResLib && g_pResLib->m_hwndMenuBar);
    ASSERT_TRUE(g_pTab && g_pTab->GetHwnd());
    EXPECT_EQ(3, (int)SendMessageW(g_pTab->GetHwnd(), TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(g_pTab->GetHwnd(), GetParent(g_editStatus.GetHwnd()));
    EXPECT_TRUE(g_pResLib->m_hResModule != NULL);

    // The window ends where the menu bar begins.
    RECT rcWindow, rcBar;
    GetWindowRect(g_hWndMain, &rcWindow);
    GetWindowRect(g_pResLib->m_hwndMenuBar, &rcBar);
    EXPECT_EQ(0, rcWindow.left);
    EXPECT_EQ(0, rcWindow.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rcWindow.right);
    EXPECT_EQ(rcBar.top, rcWindow.bottom);
    EXPECT_FALSE(GetWindowLongW(g_hWndMain, GWL_STYLE) & WS_CAPTION);

    // The pages fill the window.
    RECT rcTab;
    GetWindowRect(g_pTab->GetHwnd(), &rcTab);
    EXPECT_EQ(rcWindow.right, rcTab.right);
    EXPECT_EQ(rcWindow.bottom, rcTab.bottom);
}

TEST_F(MainStartup, RefreshMessageRereadsTheSettings)
{
    ASSERT_TRUE(WriteFileBytes(ConfigPath(), STORED_CONFIG));
    ASSERT_TRUE(Start());
    EXPECT_EQ(L"今天是您怀孕的孕周: 2 周 0 天", Status());

    ASSERT_TRUE(WriteFileBytes(ConfigPath(),
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
        "<CONFIG><StartTime>2010-1-8</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n"));
    FixedToday today(2010, 1, 15);
    PostMessageW(g_hWndMain, MYMSG_MAIN_REFRESH, 0, 0);
    EXPECT_EQ(-1, DrainUntilQuit());
    EXPECT_EQ(L"今天是您怀孕的孕周: 1 周 0 天", Status());
}

TEST_F(MainStartup, NotificationReappliesTheSelectedPage)
{
    ASSERT_TRUE(Start());
    NMHDR nm = { g_pTab->GetHwnd(), 0, (UINT)TCN_SELCHANGE };
    SendMessageW(g_pTab->GetHwnd(), TCM_SETCURSEL, PAGE_DUE_DATE, 0);
    for (int i = 0; i < 2; ++i)
    {
        SendMessageW(g_hWndMain, WM_NOTIFY, 0, (LPARAM)&nm);
        EXPECT_TRUE(IsWindowVisible(g_editDueDate.GetHwnd()));
        EXPECT_FALSE(IsWindowVisible(g_editStatus.GetHwnd()));
        EXPECT_FALSE(IsWindowVisible(g_picMonth.GetHwnd()));
        EXPECT_FALSE(IsWindowVisible(g_editWeekAdvice.GetHwnd()));
    }
    // Whatever the sender and the code.
    NMHDR nmOther = { g_editStatus.GetHwnd(), 0, 0 };
    SendMessageW(g_pTab->GetHwnd(), TCM_SETCURSEL, PAGE_TODAY, 0);
    SendMessageW(g_hWndMain, WM_NOTIFY, 0, (LPARAM)&nmOther);
    EXPECT_TRUE(IsWindowVisible(g_editStatus.GetHwnd()));
    EXPECT_TRUE(IsWindowVisible(g_picMonth.GetHwnd()));
    EXPECT_FALSE(IsWindowVisible(g_editDueDate.GetHwnd()));
}

// A key press as the message loop sees it, with the control key held.
static BOOL TranslateCtrlKey(HWND hWndTarget, WPARAM vk)
{
    BYTE abKeys[256];
    GetKeyboardState(abKeys);
    BYTE bCtrl = abKeys[VK_CONTROL];
    abKeys[VK_CONTROL] = 0x80;
    SetKeyboardState(abKeys);
    HACCEL hAccel = LoadAcceleratorsW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDA_MAIN));
    MSG msg = { hWndTarget, WM_KEYDOWN, vk, 0x00100001, 0, { 0, 0 } };
    BOOL bTranslated = TranslateAcceleratorW(msg.hwnd, hAccel, &msg);
    abKeys[VK_CONTROL] = bCtrl;
    SetKeyboardState(abKeys);
    return bTranslated;
}

TEST_F(MainStartup, CtrlAChangesNothing)
{
    ASSERT_TRUE(WriteFileBytes(ConfigPath(), STORED_CONFIG));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(TranslateCtrlKey(g_hWndMain, 'A'));
    EXPECT_EQ(-1, DrainUntilQuit());
    EXPECT_TRUE(IsWindow(g_hWndMain));
    EXPECT_EQ(L"今天是您怀孕的孕周: 2 周 0 天", Status());
}

TEST_F(MainStartup, CtrlQInATextBoxIsIgnored)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(TranslateCtrlKey(g_editStatus.GetHwnd(), 'Q'));
    EXPECT_EQ(-1, DrainUntilQuit());
    EXPECT_TRUE(IsWindow(g_hWndMain));
}

TEST_F(MainStartup, EachWayOfClosingEndsWithCodeZeroAndTheTaskBarBack)
{
    for (int nWay = 0; nWay < 3; ++nWay)
    {
        SCOPED_TRACE(nWay == 0 ? "Ctrl+Q" : nWay == 1 ? "菜单 > 退出" : "left soft key");
        HiddenTaskBar taskBar;
        ASSERT_TRUE(Start());
        HWND hWnd = g_hWndMain;
        EXPECT_TRUE(taskBar.IsPutAway());
        if (nWay == 0)
            EXPECT_TRUE(TranslateCtrlKey(hWnd, 'Q'));
        else
            PostMessageW(hWnd, WM_COMMAND, nWay == 1 ? IDM_MENU_EXIT : IDM_SOFTKEY_EXIT, 0);
        EXPECT_EQ(0, DrainUntilQuit());
        EXPECT_FALSE(IsWindow(hWnd));
        EXPECT_TRUE(taskBar.IsShown());
        EXPECT_TRUE(g_pResLib == NULL);
        EXPECT_TRUE(g_pTab == NULL);
        TearDown();
        SetUp();
    }
}
