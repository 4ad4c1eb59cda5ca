#pragma once
#include <windows.h>

// The prenatal checks by week of pregnancy, counted from the stored start date in the status
// line's weeks: the check of weeks a–b runs from day 7a through day 7b + 6 (day 0 is the start
// date). The checks follow one another without a gap.
#define CHECKUP_COUNT     7
#define CHECKUP_NONE_YET  (-1)              // before the first check's weeks
#define CHECKUP_ALL_PAST  CHECKUP_COUNT     // after the last check's weeks
#define CHECKUP_WEEKS_CCH 16

// Which check's weeks hold day nPassedDays: its index from 0, or one of the two above.
// *pnDaysToNext gets the days until the first day of the check that follows (the first one
// before any), 0 when none follows.
int FindCheckup(int nPassedDays, int *pnDaysToNext);

// The weeks of check nCheck as the page names them, "a–b".
void FormatCheckupWeeks(int nCheck, WCHAR *pszWeeks, size_t cchWeeks);
