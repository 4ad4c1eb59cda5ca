#pragma once
#include <windows.h>

// The whole Today shell stand-in, as the device's shell comes up: the frame covering a screen
// of the normal or the high-density kind, the task bar across its top and the Today window
// under it, then the ready event set and the registered items started in the Today window.
// The frame, or null. Closing the frame destroys the items and unloads their libraries.
HWND StartTodayShell(HINSTANCE hInstance, BOOL bHiDpi);
