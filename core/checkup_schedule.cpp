#include "core/checkup_schedule.h"
#include <strsafe.h>

struct CheckupWeeks
{
    int nFirstWeek;
    int nLastWeek;
};

// The national guideline's schedule: seven checks, the last one weekly from week 37 to 41.
static const CheckupWeeks s_aCheckups[CHECKUP_COUNT] = {
    { 6, 13 }, { 14, 19 }, { 20, 24 }, { 25, 28 }, { 29, 32 }, { 33, 36 }, { 37, 41 },
};

static const int DAYS_PER_WEEK = 7;
static const WCHAR WEEKS_FORMAT[] = L"%d–%d";

static int FirstDay(int nCheck)
{
    return s_aCheckups[nCheck].nFirstWeek * DAYS_PER_WEEK;
}

int FindCheckup(int nPassedDays, int *pnDaysToNext)
{
    int nCheck = CHECKUP_NONE_YET;
    while (nCheck + 1 < CHECKUP_COUNT && nPassedDays >= FirstDay(nCheck + 1))
        ++nCheck;
    // The checks meet end to end: only the last one ends before a later day.
    if (nCheck == CHECKUP_COUNT - 1 && nPassedDays >= (s_aCheckups[nCheck].nLastWeek + 1) * DAYS_PER_WEEK)
        nCheck = CHECKUP_ALL_PAST;
    *pnDaysToNext = (nCheck + 1 < CHECKUP_COUNT) ? FirstDay(nCheck + 1) - nPassedDays : 0;
    return nCheck;
}

void FormatCheckupWeeks(int nCheck, WCHAR *pszWeeks, size_t cchWeeks)
{
    if (nCheck < 0 || nCheck >= CHECKUP_COUNT)
    {
        StringCchCopyW(pszWeeks, cchWeeks, L"");
        return;
    }
    StringCchPrintfW(pszWeeks, cchWeeks, WEEKS_FORMAT, s_aCheckups[nCheck].nFirstWeek, s_aCheckups[nCheck].nLastWeek);
}
