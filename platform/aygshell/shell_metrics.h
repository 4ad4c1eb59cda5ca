#pragma once
#include <windows.h>

// The shell's designed lengths are in pixels of a 96-dpi screen.
#define SHELL_DESIGN_DPI    96
#define TASKBAR_HEIGHT      26
#define MENUBAR_HEIGHT      26

// The task bar's window class, as the device's shell names it.
#define TASKBAR_CLASS       L"HHTaskBar"

// A designed length in pixels of the screen at hand.
int ScaleToScreen(int nDesigned);

// The module handle of this library, for its window class.
HINSTANCE ShellInstance();
