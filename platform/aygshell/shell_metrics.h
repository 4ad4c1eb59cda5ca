#pragma once
#include <windows.h>

// The shell's designed lengths, in pixels of a 96-dpi screen.
#define TASKBAR_HEIGHT      26
#define MENUBAR_HEIGHT      26

// A designed length in pixels of the screen at hand.
int ScaleToScreen(int nDesigned);

// The module handle of this library, for its window class.
HINSTANCE ShellInstance();
