#pragma once
#include <windows.h>

// The one place the deliverables read today's date. The user picks the start date on a
// local calendar, so today is the device's local date. Tests point this at a fixed date.
typedef void (WINAPI *PFN_GETTODAY)(LPSYSTEMTIME pst);
extern PFN_GETTODAY g_pfnGetToday;

// Milliseconds from the local time st to the next local midnight: a whole day at midnight itself.
DWORD MillisecondsToMidnight(const SYSTEMTIME &st);
