#include "tests/fixed_clock.h"
#include "core/today_clock.h"

static SYSTEMTIME s_stToday;

static void WINAPI GetFixedToday(LPSYSTEMTIME pst)
{
    *pst = s_stToday;
}

FixedToday::FixedToday(int nYear, int nMonth, int nDay)
{
    Set(nYear, nMonth, nDay);
    g_pfnGetToday = GetFixedToday;
}

FixedToday::~FixedToday()
{
    g_pfnGetToday = GetLocalTime;
}

void FixedToday::Set(int nYear, int nMonth, int nDay)
{
    ZeroMemory(&s_stToday, sizeof(s_stToday));
    s_stToday.wYear = (WORD)nYear;
    s_stToday.wMonth = (WORD)nMonth;
    s_stToday.wDay = (WORD)nDay;
    s_stToday.wHour = 23;
    s_stToday.wMinute = 59;
}
