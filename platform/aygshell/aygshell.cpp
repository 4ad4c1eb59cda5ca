#include <aygshell.h>

// This desktop has no input panel: the extra controls need no preparation, and activation
// and setting changes leave nothing to restore or resize.

BOOL WINAPI SHInitExtraControls(void)
{
    return TRUE;
}

BOOL WINAPI SHHandleWMActivate(HWND, WPARAM, LPARAM, SHACTIVATEINFO *, DWORD)
{
    return TRUE;
}

BOOL WINAPI SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO *)
{
    return TRUE;
}
