#include "main/day_follower.h"
#include "core/today_clock.h"
#include "main/status_texts.h"

namespace {

const UINT_PTR MIDNIGHT_TIMER_ID = 1;

// The local date the pages were last built for.
SYSTEMTIME s_stPagesDate;

BOOL IsSameDate(const SYSTEMTIME &a, const SYSTEMTIME &b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// One timer: setting it again replaces the one that was waiting. A tick that comes a little
// early finds the same date and only sets it again for the moment left.
void SetMidnightTimer(HWND hWnd, const SYSTEMTIME &stNow)
{
    SetTimer(hWnd, MIDNIGHT_TIMER_ID, MillisecondsToMidnight(stNow), NULL);
}

}  // namespace

void StartFollowingDay(HWND hWnd)
{
    g_pfnGetToday(&s_stPagesDate);
    SetMidnightTimer(hWnd, s_stPagesDate);
}

void FollowDay(HWND hWnd)
{
    SYSTEMTIME stNow;
    g_pfnGetToday(&stNow);
    if (!IsSameDate(stNow, s_stPagesDate))
    {
        // Noted before the build, so that a build running into the next midnight is done again.
        s_stPagesDate = stNow;
        GetStartTime();
    }
    SetMidnightTimer(hWnd, stNow);
}

void FollowDayOnTimer(HWND hWnd, UINT_PTR nTimerId)
{
    if (nTimerId == MIDNIGHT_TIMER_ID)
        FollowDay(hWnd);
}
