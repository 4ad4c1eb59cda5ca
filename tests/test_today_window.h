#pragma once
#include <windows.h>

// A Today window as the shell hands one to its items: it answers the text colour and paints a
// plain background under an item when asked.
extern const COLORREF TEST_TODAY_TEXT;
extern const COLORREF TEST_TODAY_BACKGROUND;

HWND CreateTestTodayWindow(int x, int y, int cx, int cy);
