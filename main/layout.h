#pragma once
#include "core/display_density.h"
#include "core/resource_library.h"

// A designed length on this screen, by the shift InitScale found.
inline int ScaleLayout(int nLength)
{
    return ScaleByShift(nLength, g_nScaleShift);
}
