#include <gtest/gtest.h>
#include <windows.h>
#include "core/shared_names.h"

// "--post-refresh": what the main program does after a save, done from a process of its own,
// so the item hears from another process exactly as it does on the device.
static int PostRefreshToItem()
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 2;
    DWORD dwValue = 0, cb = sizeof(dwValue);
    LONG lResult = RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, NULL, (BYTE *)&dwValue, &cb);
    RegCloseKey(hKey);
    HWND hWnd = (HWND)(ULONG_PTR)dwValue;
    if (lResult != ERROR_SUCCESS || !IsWindow(hWnd))
        return 3;
    return PostMessageW(hWnd, MYMSG_ULVO_REFRESH, 0, 0) ? 0 : 4;
}

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "--post-refresh") == 0)
        return PostRefreshToItem();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
