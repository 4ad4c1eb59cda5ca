#pragma once
#include <windows.h>

// The task bar across the top of the screen: the date and the time, and a close box that
// ends the shell (the stand-in has no other way out on a desktop).
BOOL RegisterTaskBar(HINSTANCE hInstance);
HWND CreateTaskBar(HINSTANCE hInstance, HWND hwndOwner, int cx, int cy);
