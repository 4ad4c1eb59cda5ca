#include "tests/today_registration.h"
#include "platform/today/host_names.h"

static std::wstring ItemKey(const wchar_t *pszName)
{
    return std::wstring(TODAY_ITEMS_KEY) + L"\\" + pszName;
}

static void SetDword(HKEY hKey, const wchar_t *pszValue, DWORD dw)
{
    RegSetValueExW(hKey, pszValue, 0, REG_DWORD, (const BYTE *)&dw, sizeof(dw));
}

bool RegisterTodayItem(const TodayItemEntry &entry)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ItemKey(entry.pszName).c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return false;
    RegSetValueExW(hKey, TODAY_ITEM_DLL, 0, REG_SZ, (const BYTE *)entry.strDll.c_str(),
                   (DWORD)((entry.strDll.size() + 1) * sizeof(wchar_t)));
    SetDword(hKey, TODAY_ITEM_TYPE, entry.dwType);
    SetDword(hKey, TODAY_ITEM_ENABLED, entry.dwEnabled);
    SetDword(hKey, TODAY_ITEM_ORDER, entry.dwOrder);
    SetDword(hKey, TODAY_ITEM_FLAGS, entry.dwFlags);
    RegCloseKey(hKey);
    return true;
}

void UnregisterTodayItem(const wchar_t *pszName)
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, ItemKey(pszName).c_str());
}
