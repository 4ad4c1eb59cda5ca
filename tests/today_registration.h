#pragma once
#include <windows.h>
#include <string>

// A Today item as installation registers it for the shell, under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Today\Items\<name>.
struct TodayItemEntry
{
    const wchar_t *pszName;
    std::wstring strDll;
    DWORD dwType;       // 4: an item library of its own
    DWORD dwEnabled;
    DWORD dwOrder;
    DWORD dwFlags;
};

bool RegisterTodayItem(const TodayItemEntry &entry);
void UnregisterTodayItem(const wchar_t *pszName);
