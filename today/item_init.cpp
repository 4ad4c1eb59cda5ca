#include "today/item_init.h"
#include "today/item_state.h"
#include "today/item_window.h"
#include "today/status_line.h"
#include "core/debug_log.h"
#include "core/pregnancy_calendar.h"
#include "core/shared_names.h"
#include "platform/ce_compat.h"
#include "resources/ulvo_ids.h"
#include "resources/ulvores_ids.h"
#include <objbase.h>

static const int CLASS_NAME_CCH = 32;

static void LoadClassName(WCHAR *pszName, int cchName)
{
    pszName[0] = 0;
    LoadStringW(g_hInstance, IDS_ULVO_CLASS, pszName, cchName);
}

void ItemProcessAttach(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
    CoInitializeEx(NULL, COINIT_MULTITHREADED);

    WCHAR szClass[CLASS_NAME_CCH];
    LoadClassName(szClass, ARRAYSIZE(szClass));
    UnregisterClassW(szClass, g_hInstance);
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = TodayItemWndProc;
    wc.hInstance = g_hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = szClass;
    RegisterClassW(&wc);

    g_hWnd = NULL;
}

void ItemProcessDetach()
{
    if (g_hIcon)
        DestroyIcon(g_hIcon);
    g_hIcon = NULL;
    CoUninitialize();
    WCHAR szClass[CLASS_NAME_CCH];
    LoadClassName(szClass, ARRAYSIZE(szClass));
    UnregisterClassW(szClass, g_hInstance);
    g_hInstance = NULL;
}

void SaveItemWindowHandle(HWND hWnd)
{
    HKEY hKey;
    DWORD dwDisposition;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, NULL, 0, REG_ACCESS_WRITE, NULL,
                        &hKey, &dwDisposition) != ERROR_SUCCESS)
        return;
    DWORD dwValue = (DWORD)(ULONG_PTR)hWnd;
    RegSetValueExW(hKey, ULVO_REG_HWND, 0, REG_DWORD, (const BYTE *)&dwValue, sizeof(dwValue));
    RegCloseKey(hKey);
}

// The shell may rebuild the Today screen many times in its long life: what an earlier call
// loaded is given back before it is loaded again.
static void LoadItemIcon()
{
    if (g_hIcon)
        DestroyIcon(g_hIcon);
    g_hIcon = NULL;
    g_ItemResLib.FreeResLibrary();

    WCHAR szResPath[MAX_PATH] = { 0 };
    if (!GetModuleDirFilePath(g_hInstance, RES_LIBRARY_NAME, szResPath))
        return;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"SourceFilePath = %s", szResPath);
    if (!g_ItemResLib.LoadResLibrary(szResPath))
        return;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, RES_LIBRARY_NAME);
    g_hIcon = (HICON)LoadImageW(g_ItemResLib.m_hResModule, MAKEINTRESOURCEW(IDI_TODAY_ITEM), IMAGE_ICON,
                                ScaleToDisplay(ITEM_ICON_SIZE, AXIS_HORIZONTAL),
                                ScaleToDisplay(ITEM_ICON_SIZE, AXIS_VERTICAL), 0);
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_hIcon = %d", (int)(INT_PTR)g_hIcon);
}

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM *, HWND hwndParent)
{
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"InitializeCustomItem");

    WCHAR szClass[CLASS_NAME_CCH];
    LoadClassName(szClass, ARRAYSIZE(szClass));
    HWND hWnd = CreateWindowExW(0, szClass, szClass, WS_CHILD | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, ScaleToDisplay(ITEM_HEIGHT, AXIS_VERTICAL),
                                hwndParent, NULL, g_hInstance, NULL);
    if (!hWnd)
        return NULL;
    g_hWnd = hWnd;
    SaveItemWindowHandle(g_hWnd);

    ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
    if (GetModuleDirFilePath(g_hInstance, CONFIG_FILE_NAME, g_szXMLFilePath))
        DebugLog(LOG_SRC_TODAY, LOG_INFO, L"XMLFilePath = %s", g_szXMLFilePath);

    g_PregnancyCalendar.ResetMonthDays();
    LoadItemIcon();
    // Each refresh makes its document from it; a refresh every ten minutes for months would
    // otherwise read the class's registration each time. Without a DOM, as without it.
    g_ItemConfig.HoldClassObject();
    CalculatePragnantTime();

    ShowWindow(g_hWnd, SW_SHOWNORMAL);
    UpdateWindow(g_hWnd);
    SetTimer(g_hWnd, REFRESH_TIMER_ID, REFRESH_TIMER_PERIOD, RefreshTimerProc);
    return g_hWnd;
}

// The item has no options of its own.
extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}
