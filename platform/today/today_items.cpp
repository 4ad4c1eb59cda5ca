#include "platform/today/today_items.h"
#include "platform/today/host_names.h"
#include <string.h>

TodayItemList g_TodayItems;

namespace {

DWORD ReadDword(HKEY hKey, const WCHAR *pszValue, DWORD dwDefault)
{
    DWORD dw = 0;
    DWORD cb = sizeof(dw);
    DWORD dwType = 0;
    if (RegQueryValueExW(hKey, pszValue, NULL, &dwType, (BYTE *)&dw, &cb) != ERROR_SUCCESS
        || dwType != REG_DWORD || cb != sizeof(dw))
        return dwDefault;
    return dw;
}

BOOL ReadPath(HKEY hKey, const WCHAR *pszValue, WCHAR *pszPath, DWORD cchPath)
{
    WCHAR szRaw[MAX_PATH];
    DWORD cb = sizeof(szRaw) - sizeof(WCHAR);
    DWORD dwType = 0;
    memset(szRaw, 0, sizeof(szRaw));
    if (RegQueryValueExW(hKey, pszValue, NULL, &dwType, (BYTE *)szRaw, &cb) != ERROR_SUCCESS)
        return FALSE;
    if (dwType == REG_EXPAND_SZ)
    {
        DWORD cch = ExpandEnvironmentStringsW(szRaw, pszPath, cchPath);
        return cch > 0 && cch <= cchPath;
    }
    if (dwType != REG_SZ)
        return FALSE;
    lstrcpynW(pszPath, szRaw, cchPath);
    return pszPath[0] != 0;
}

} // namespace

TodayItemList::TodayItemList()
    : m_nCount(0)
{
    memset(m_aItems, 0, sizeof(m_aItems));
}

int TodayItemList::Load(HWND hwndToday)
{
    HKEY hItems = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEMS_KEY, 0, KEY_READ, &hItems) != ERROR_SUCCESS)
        return 0;

    WCHAR szName[MAX_ITEMNAME];
    for (DWORD i = 0; m_nCount < TODAY_ITEMS_MAX; ++i)
    {
        DWORD cchName = MAX_ITEMNAME;
        if (RegEnumKeyExW(hItems, i, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (ReadItem(hItems, szName, &m_aItems[m_nCount]))
            ++m_nCount;
    }
    RegCloseKey(hItems);

    SortByOrder();

    // A started item may keep its record's address, so records never move from here on;
    // one that fails to start stays in the list without a window and takes no room.
    int nStarted = 0;
    for (int i = 0; i < m_nCount; ++i)
    {
        if (StartItem(&m_aItems[i], hwndToday))
            ++nStarted;
    }
    return nStarted;
}

BOOL TodayItemList::ReadItem(HKEY hItems, const WCHAR *pszName, TODAYLISTITEM *pItem)
{
    HKEY hItem = NULL;
    if (RegOpenKeyExW(hItems, pszName, 0, KEY_READ, &hItem) != ERROR_SUCCESS)
        return FALSE;

    memset(pItem, 0, sizeof(*pItem));
    lstrcpynW(pItem->szName, pszName, MAX_ITEMNAME);
    pItem->tlit = (TODAYITEMTYPE)ReadDword(hItem, TODAY_ITEM_TYPE, tlitNil);
    pItem->fEnabled = ReadDword(hItem, TODAY_ITEM_ENABLED, 1) != 0;
    pItem->dwOrder = ReadDword(hItem, TODAY_ITEM_ORDER, 0);
    pItem->fOptions = ReadDword(hItem, TODAY_ITEM_OPTIONS, 0) != 0;
    pItem->grflags = ReadDword(hItem, TODAY_ITEM_FLAGS, 0);
    BOOL bPath = ReadPath(hItem, TODAY_ITEM_DLL, pItem->szDLLPath, MAX_PATH);
    RegCloseKey(hItem);

    // Only the user's enabled custom items are ours to host; the built-in kinds are not.
    return bPath && pItem->fEnabled && pItem->tlit == tlitCustom;
}

void TodayItemList::SortByOrder()
{
    // Insertion sort keeps items of equal order in the registry's order.
    for (int i = 1; i < m_nCount; ++i)
    {
        TODAYLISTITEM item = m_aItems[i];
        int j = i - 1;
        while (j >= 0 && m_aItems[j].dwOrder > item.dwOrder)
        {
            m_aItems[j + 1] = m_aItems[j];
            --j;
        }
        m_aItems[j + 1] = item;
    }
}

BOOL TodayItemList::StartItem(TODAYLISTITEM *pItem, HWND hwndToday)
{
    // The device keeps the shell stand-in's libraries (aygshell) in its system directory;
    // here they lie beside the item, so the item's own directory is searched first.
    HINSTANCE hinst = LoadLibraryExW(pItem->szDLLPath, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!hinst)
        return FALSE;

    PFNCUSTOMINITIALIZE pfnInit =
        (PFNCUSTOMINITIALIZE)(void *)GetProcAddress(hinst, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM));
    if (!pfnInit)
    {
        FreeLibrary(hinst);
        return FALSE;
    }

    pItem->hinstDLL = hinst;
    pItem->cyp = 0;
    HWND hwnd = pfnInit(pItem, hwndToday);
    if (!hwnd)
    {
        FreeLibrary(hinst);
        pItem->hinstDLL = NULL;
        return FALSE;
    }
    pItem->hwndCustom = hwnd;
    return TRUE;
}

void TodayItemList::Poll(HWND hwndToday)
{
    BOOL bChanged = FALSE;
    for (int i = 0; i < m_nCount; ++i)
    {
        TODAYLISTITEM *pItem = &m_aItems[i];
        if (!IsWindow(pItem->hwndCustom))
            continue;
        if (SendMessageW(pItem->hwndCustom, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)pItem, 0))
        {
            bChanged = TRUE;
            InvalidateRect(pItem->hwndCustom, NULL, TRUE);
        }
    }
    if (bChanged)
        Layout(hwndToday);
}

void TodayItemList::Layout(HWND hwndToday)
{
    RECT rc;
    GetClientRect(hwndToday, &rc);
    int y = 0;
    for (int i = 0; i < m_nCount; ++i)
    {
        TODAYLISTITEM *pItem = &m_aItems[i];
        if (!IsWindow(pItem->hwndCustom))
            continue;
        SetWindowPos(pItem->hwndCustom, NULL, 0, y, rc.right - rc.left, (int)pItem->cyp,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        y += (int)pItem->cyp;
    }
    InvalidateRect(hwndToday, NULL, TRUE);
}

void TodayItemList::Unload()
{
    // Every window first: an item's window procedure lives in its library.
    for (int i = 0; i < m_nCount; ++i)
    {
        if (IsWindow(m_aItems[i].hwndCustom))
            DestroyWindow(m_aItems[i].hwndCustom);
        m_aItems[i].hwndCustom = NULL;
    }
    for (int i = 0; i < m_nCount; ++i)
    {
        if (m_aItems[i].hinstDLL)
            FreeLibrary(m_aItems[i].hinstDLL);
        m_aItems[i].hinstDLL = NULL;
    }
    m_nCount = 0;
}
