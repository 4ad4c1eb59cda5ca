#include "bench/item_harness.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/process_counters.h"
#include "core/shared_names.h"
#include "core/today_clock.h"
#include "today/item_init.h"
#include "today/item_state.h"
#include "today/item_window.h"
#include "today/status_line.h"
#include <todaycmn.h>

namespace {

const wchar_t TODAY_CLASS[] = L"UlvoBenchToday";

void WINAPI PinnedToday(LPSYSTEMTIME pst)
{
    ZeroMemory(pst, sizeof(*pst));
    pst->wYear = 2010;
    pst->wMonth = 3;
    pst->wDay = 27;
    pst->wDayOfWeek = 6;
}

LRESULT CALLBACK TodayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case TODAYM_GETCOLOR:
        return wParam == TODAYCOLOR_TEXT ? RGB(0, 0, 0) : RGB(0, 0, 255);
    case TODAYM_DRAWWATERMARK:
    {
        TODAYDRAWWATERMARKINFO *pInfo = (TODAYDRAWWATERMARKINFO *)lParam;
        FillRect(pInfo->hdc, &pInfo->rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
        return 0;
    }
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

}  // namespace

ItemHarness::ItemHarness()
{
    static bool s_bAttached = false;
    if (!s_bAttached)
    {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = TodayWndProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = TODAY_CLASS;
        RegisterClassW(&wc);
        ItemProcessAttach(GetModuleHandleW(NULL));
        s_bAttached = true;
    }
    // The item publishes its window in the registry; a harness leaves the registry as it found it.
    HKEY hKey = NULL;
    m_bKeyWasThere = RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS;
    if (hKey)
        RegCloseKey(hKey);
    g_pfnGetToday = PinnedToday;
    m_strDir = TempFolder(L"ulvo-bench-item");
    m_strConfig = m_strDir + L"\\config.xml";
    m_hReady = CreateEventW(NULL, TRUE, TRUE, SHELL_API_READY_EVENT);
    m_hToday = CreateWindowExW(0, TODAY_CLASS, L"Today", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                               NULL, NULL, GetModuleHandleW(NULL), NULL);
    CreateItem();
    UseConfig(ConfigFile("2010-1-1", "2"));
}

void ItemHarness::CreateItem()
{
    m_hItem = InitializeCustomItem(NULL, m_hToday);
    MoveWindow(m_hItem, 0, 0, 240, ScaleToDisplay(ITEM_HEIGHT, AXIS_VERTICAL), FALSE);
    ShowWindow(m_hItem, SW_SHOW);
}

ItemHarness::~ItemHarness()
{
    DestroyWindow(m_hToday);
    CloseHandle(m_hReady);
    g_pfnGetToday = GetLocalTime;
    RemoveFolder(m_strDir);
    if (!m_bKeyWasThere)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY);
}

void ItemHarness::UseConfig(const std::string &strBytes)
{
    WriteWholeFile(m_strConfig, strBytes);
    lstrcpynW(g_szXMLFilePath, m_strConfig.c_str(), MAX_PATH);
}

std::wstring ItemHarness::Line() const
{
    extern const WCHAR SETUP_PROMPT[];
    return g_bFirstDisplay ? std::wstring(SETUP_PROMPT) : std::wstring(g_szShowTxt);
}

void ItemHarness::RefreshCycle()
{
    SendMessageW(m_hItem, MYMSG_ULVO_REFRESH, 0, 0);
    ValidateRect(m_hItem, NULL);
}

void ItemHarness::PaintCycle()
{
    RedrawWindow(m_hItem, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ItemHarness::RecreateCycle(LONG *pnHeld)
{
    DestroyWindow(m_hItem);
    *pnHeld = DomClassObjectReferences();
    // The new item reads the file beside its library first: this harness's file is elsewhere.
    CreateItem();
    lstrcpynW(g_szXMLFilePath, m_strConfig.c_str(), MAX_PATH);
    RefreshCycle();
}

