#include <aygshell.h>
#include "platform/aygshell/device_controls.h"

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

// Every program that loads this library gets the device's controls on the thread that loads it
// (Main's only thread). When the library is unloaded before the process ends, its fonts go too.
BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID pvReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        StartDeviceControls();
    else if (dwReason == DLL_PROCESS_DETACH && pvReserved == NULL)
        StopDeviceControls();
    return TRUE;
}
