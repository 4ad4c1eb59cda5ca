#pragma once
#include <windows.h>

// The platform's rule for screen density: every designed length is in pixels of a 96-dpi
// screen, and a 192-dpi screen shows each one at twice the pixels. The stand-ins of the device's
// shell, the item and the main program all scale here.
#define DESIGN_DPI 96

enum DisplayAxis { AXIS_HORIZONTAL, AXIS_VERTICAL };

// nLength designed at 96 dpi, in pixels of a screen of nDpi: rounded to the nearest pixel,
// keeping its sign (16 at 131 dpi is 22).
inline int ScaleToDpi(int nLength, int nDpi)
{
    int nMagnitude = nLength < 0 ? -nLength : nLength;
    int nScaled = (nMagnitude * nDpi + DESIGN_DPI / 2) / DESIGN_DPI;
    return nLength < 0 ? -nScaled : nScaled;
}

// The screen's logical pixels per inch along an axis; 96 when it cannot be had.
inline int ReadScreenDpi(DisplayAxis axis)
{
    int nDpi = 0;
    HDC hdc = GetDC(NULL);
    if (hdc)
    {
        nDpi = GetDeviceCaps(hdc, axis == AXIS_HORIZONTAL ? LOGPIXELSX : LOGPIXELSY);
        ReleaseDC(NULL, hdc);
    }
    return nDpi > 0 ? nDpi : DESIGN_DPI;
}

// The main program's pages and dialogs keep the device's own rule: a length doubles for each
// whole 192 dpi of the screen, nShift being that count (0 below 192 dpi, 1 at 192).
inline int ScaleByShift(int nLength, int nShift)
{
    return (nShift >= 0 && nShift < 32) ? (nLength << nShift) : 0;
}
