#pragma once
#include "core/resource_library.h"

// Designed lengths are in 96-dpi pixels; on a 192-dpi screen each one doubles.
inline int ScaleLayout(int nLength)
{
    return (g_nScaleShift >= 0 && g_nScaleShift < 32) ? (nLength << g_nScaleShift) : 0;
}
