#pragma once
#include <windows.h>

// The shell's top-level window, covering the screen; the Today window fills it below the
// task bar. Closing it ends the shell.
BOOL RegisterShellFrame(HINSTANCE hInstance);
HWND CreateShellFrame(HINSTANCE hInstance, int cx, int cy, int cyTaskBar);

// The Today window inside the frame.
HWND GetTodayWindow(HWND hwndFrame);

// Closes the frame after nSeconds (0: never).
void CloseShellFrameAfter(HWND hwndFrame, UINT nSeconds);
