#include "bench/main_harness.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "core/config_document.h"
#include "core/resource_library.h"
#include "core/today_clock.h"
#include "main/button_control.h"
#include "main/main_globals.h"
#include "main/main_window.h"
#include "main/message_box.h"
#include "main/month_calendar.h"
#include "main/pages.h"
#include "main/settings_dialog.h"
#include "main/settings_store.h"
#include "main/status_texts.h"
#include "main/tab_control.h"
#include <commctrl.h>

namespace {

void WINAPI PinnedToday(LPSYSTEMTIME pst)
{
    ZeroMemory(pst, sizeof(*pst));
    pst->wYear = 2010;
    pst->wMonth = 3;
    pst->wDay = 27;
    pst->wDayOfWeek = 6;
}

LONG g_nStartUpMessages = 0;

int WINAPI CountMessageBox(HWND, LPCWSTR, LPCWSTR, UINT)
{
    InterlockedIncrement(&g_nStartUpMessages);
    return IDOK;
}

const int HOST_WIDTH = 240;
const int HOST_HEIGHT = 268;

}  // namespace

MainHarness::MainHarness(const wchar_t *pszConfigPath)
    : m_hHost(NULL), m_pTab(NULL), m_pCalendar(NULL), m_pRadio365(NULL), m_bReady(false)
{
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    g_pfnGetToday = PinnedToday;
    g_pfnMessageBox = CountMessageBox;
    g_hInstance = GetModuleHandleW(NULL);
    if (pszConfigPath)
        m_strConfig = pszConfigPath;
    else
    {
        m_strDir = TempFolder(L"ulvo-bench-main");
        m_strConfig = m_strDir + L"\\config.xml";
        WriteWholeFile(m_strConfig, ConfigFile("2010-1-1", "2"));
    }
    ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
    lstrcpynW(g_szXMLFilePath, m_strConfig.c_str(), MAX_PATH);

    g_pConfig = new ConfigDocument;
    g_pResLib = new ResourceLibrary;
    bool bRes = g_pResLib->LoadResLibrary(L"UlvoRes.dll") == 1;

    // The main window: the pages' parent and the target of the saves' refresh requests.
    m_hHost = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, HOST_WIDTH, HOST_HEIGHT,
                              NULL, NULL, g_hInstance, NULL);
    g_hWndMain = m_hHost;
    m_pTab = new TabControl;
    m_pTab->Prepare(m_hHost, g_hInstance);
    m_pTab->Create(WS_CHILD | WS_VISIBLE, 0, 0, TAB_MODE_MAIN, HOST_WIDTH, HOST_HEIGHT);
    BuildPages(m_pTab, g_hInstance);

    m_pCalendar = new MonthCalendar;
    m_pCalendar->Prepare(m_hHost, g_hInstance);
    m_pCalendar->Create(WS_CHILD | MCS_WEEKNUMBERS, 0, 0, 200, 160, RGB(255, 255, 255));
    m_pRadio365 = new ButtonControl;
    m_pRadio365->CreateRadio(m_hHost, g_hInstance, 1001, WS_CHILD | BS_RADIOBUTTON, 0, 170, L"365",
                             100, 0, 100, 20);
    m_bReady = bRes && m_pCalendar->GetHwnd() && m_pRadio365->GetHwnd();
}

MainHarness::~MainHarness()
{
    g_pCalendar = NULL;
    g_pRadio365 = NULL;
    DestroyWindow(m_hHost);
    g_hWndMain = NULL;
    DrainMessages();
    delete m_pCalendar;
    delete m_pRadio365;
    delete m_pTab;
    if (g_pszAdviceTxt && g_pResLib)
        g_pResLib->FreeText(g_pszAdviceTxt);
    g_pszAdviceTxt = NULL;
    g_pResLib->FreeResLibrary();
    delete g_pResLib;
    g_pResLib = NULL;
    g_pConfig->ReleaseClassObject();
    delete g_pConfig;
    g_pConfig = NULL;
    g_pfnGetToday = GetLocalTime;
    g_pfnMessageBox = MessageBoxW;
    CoUninitialize();
    if (!m_strDir.empty())
        RemoveFolder(m_strDir);
}

int MainHarness::Save(int nYear, int nMonth, int nDay, bool b365)
{
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    st.wYear = (WORD)nYear;
    st.wMonth = (WORD)nMonth;
    st.wDay = (WORD)nDay;
    m_pCalendar->SetCurSel(&st);
    m_pRadio365->SetCheck(b365);
    g_pCalendar = m_pCalendar;
    g_pRadio365 = m_pRadio365;
    int nResult = SaveSettings();
    g_pCalendar = NULL;
    g_pRadio365 = NULL;
    return nResult;
}

void MainHarness::StartUp()
{
    PrepareConfigFile();
}

int MainHarness::StartUpMessages() const
{
    return (int)g_nStartUpMessages;
}

void MainHarness::Rebuild()
{
    GetStartTime();
}

std::wstring MainHarness::StatusText() const
{
    wchar_t sz[512] = L"";
    SendMessageW(g_editStatus.GetHwnd(), WM_GETTEXT, ARRAYSIZE(sz), (LPARAM)sz);
    return sz;
}

void MainHarness::DrainMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}
