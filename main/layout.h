#pragma once
#include "core/resource_library.h"
#include "platform/display_density.h"

// A designed length on this screen, by the shift InitScale found.
inline int ScaleLayout(int nLength)
{
    return ScaleByShift(nLength, g_nScaleShift);
}
