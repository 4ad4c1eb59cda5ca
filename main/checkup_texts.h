#pragma once
#include <windows.h>

#define CHECKUP_PAGE_CCH 1024

// The page "产检" from the texts of UlvoRes.dll: where today stands among the prenatal checks,
// nPassedDays into the pregnancy, then the schedule with today's check marked. With a prompt
// instead (no date in progress) the prompt comes first and no check is marked.
void ShowCheckups(const WCHAR *pszPrompt, int nPassedDays);
