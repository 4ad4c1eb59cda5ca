#pragma once
#include <windows.h>

// A control asked for with no width or no height fills the screen from its position to
// the right and bottom edges.
inline void FillZeroSize(int x, int y, int *pnWidth, int *pnHeight)
{
    if (*pnWidth == 0 || *pnHeight == 0)
    {
        *pnWidth = GetSystemMetrics(SM_CXSCREEN) - x;
        *pnHeight = GetSystemMetrics(SM_CYSCREEN) - y;
    }
}
