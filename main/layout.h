#pragma once
#include "core/resource_library.h"
#include "platform/display_density.h"

// A designed length on this screen, by the shift InitScale found.
inline int ScaleLayout(int nLength)
{
    return ScaleByShift(nLength, g_nScaleShift);
}

// A large icon's side at 96 dpi, as the device's dialogs show one.
const int LAYOUT_ICON_SIZE = 32;
