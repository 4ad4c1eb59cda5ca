#include "core/today_clock.h"

PFN_GETTODAY g_pfnGetToday = GetLocalTime;
