#include "core/today_clock.h"

PFN_GETTODAY g_pfnGetToday = GetLocalTime;

static const DWORD MS_PER_SECOND = 1000;
static const DWORD MS_PER_MINUTE = 60 * MS_PER_SECOND;
static const DWORD MS_PER_HOUR = 60 * MS_PER_MINUTE;
static const DWORD MS_PER_DAY = 24 * MS_PER_HOUR;

DWORD MillisecondsToMidnight(const SYSTEMTIME &st)
{
    DWORD dwSinceMidnight = st.wHour * MS_PER_HOUR + st.wMinute * MS_PER_MINUTE + st.wSecond * MS_PER_SECOND
                          + st.wMilliseconds;
    // A clock read past the day's end (a leap second) still waits a moment, never a whole day.
    return dwSinceMidnight < MS_PER_DAY ? MS_PER_DAY - dwSinceMidnight : MS_PER_SECOND;
}
