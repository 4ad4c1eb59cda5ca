#pragma once
#include <windows.h>

// The Today screen's background: a soft vertical gradient over the whole Today window.
// Items ask for the part under themselves, so the colour depends on the position in the
// Today window, not in the device context being painted.

// The background colour at row y of a Today window cy pixels high.
COLORREF TodayBackgroundAt(int y, int cy);

// Paints prc of hdc with the background as it lies under it; ptOrigin is where the DC's
// (0, 0) lies in the Today window's client area, cyToday the Today window's height.
void PaintTodayBackground(HDC hdc, const RECT *prc, POINT ptOrigin, int cyToday);

// The Today screen's text colour, dark enough to read on every part of the background.
#define TODAY_TEXT_COLOR            RGB(0x1A, 0x22, 0x3A)
#define TODAY_HIGHLIGHT_COLOR       RGB(0x2E, 0x5C, 0xB8)
#define TODAY_HIGHLIGHTEDTEXT_COLOR RGB(0xFF, 0xFF, 0xFF)
