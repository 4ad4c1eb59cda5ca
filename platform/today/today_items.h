#pragma once
#include "platform/today/todaycmn.h"

#define TODAY_ITEMS_MAX 16

// The custom items of the Today screen: found in the registry as on the device, their
// libraries loaded, their windows created in the Today window and stacked by the heights
// they report.
class TodayItemList
{
public:
    TodayItemList();

    // Reads the enabled custom items, loads each library and calls its ordinal 240 with
    // the Today window as parent. Returns the number of items that made a window.
    int Load(HWND hwndToday);

    // Asks every item whether it changed; re-lays out when one answers TRUE.
    void Poll(HWND hwndToday);

    // Places each item window at full width, one under the other, at its height.
    void Layout(HWND hwndToday);

    // Destroys the item windows, then unloads their libraries.
    void Unload();

    int m_nCount;
    TODAYLISTITEM m_aItems[TODAY_ITEMS_MAX];

private:
    BOOL ReadItem(HKEY hItems, const WCHAR *pszName, TODAYLISTITEM *pItem);
    void SortByOrder();
    BOOL StartItem(TODAYLISTITEM *pItem, HWND hwndToday);
};

extern TodayItemList g_TodayItems;
