#include "main/checkup_texts.h"
#include "main/main_globals.h"
#include "main/pages.h"
#include "core/checkup_schedule.h"
#include "core/resource_library.h"
#include "resources/ulvores_ids.h"
#include <stdarg.h>
#include <strsafe.h>

static const WCHAR LINE_BREAK[] = L"\r\n";
static const WCHAR AS_IS[] = L"%s";

// The page's text as it grows, one line after another; what does not fit is cut.
struct PageText
{
    WCHAR sz[CHECKUP_PAGE_CCH];
    WCHAR *pszEnd;
    size_t cchLeft;
};

static void AppendBreak(PageText *pText)
{
    StringCchCopyExW(pText->pszEnd, pText->cchLeft, LINE_BREAK, &pText->pszEnd, &pText->cchLeft, 0);
}

static void AppendLine(PageText *pText, const WCHAR *pszFormat, ...)
{
    if (pText->pszEnd != pText->sz)
        AppendBreak(pText);
    va_list args;
    va_start(args, pszFormat);
    StringCchVPrintfExW(pText->pszEnd, pText->cchLeft, &pText->pszEnd, &pText->cchLeft, 0, pszFormat, args);
    va_end(args);
}

// A text of UlvoRes.dll, or NULL when there is none.
static WCHAR *LoadText(UINT nId)
{
    return g_pResLib ? g_pResLib->LoadResString(nId) : NULL;
}

static void FreeText(WCHAR *pszText)
{
    if (g_pResLib)
        g_pResLib->FreeText(pszText);
}

// A line from a format of UlvoRes.dll with the weeks of check nCheck (its %s) and one more
// value; a format the library lacks leaves the line out.
static void AppendCheckLine(PageText *pText, UINT nFormatId, int nCheck, const WCHAR *pszMore, int nMore)
{
    WCHAR *pszFormat = LoadText(nFormatId);
    WCHAR szWeeks[CHECKUP_WEEKS_CCH];
    FormatCheckupWeeks(nCheck, szWeeks, ARRAYSIZE(szWeeks));
    if (pszFormat && pszMore)
        AppendLine(pText, pszFormat, szWeeks, pszMore);
    else if (pszFormat)
        AppendLine(pText, pszFormat, szWeeks, nMore);
    FreeText(pszFormat);
}

// A text of UlvoRes.dll on a line of its own, as it is.
static void AppendText(PageText *pText, UINT nId, int nDays)
{
    WCHAR *pszText = LoadText(nId);
    if (pszText)
        AppendLine(pText, pszText, nDays);
    FreeText(pszText);
}

// What check nCheck is for, on a line of its own.
static void AppendContents(PageText *pText, int nCheck)
{
    WCHAR *pszContents = LoadText(IDS_CHECKUP_CONTENTS_FIRST + nCheck);
    if (pszContents)
        AppendLine(pText, AS_IS, pszContents);
    FreeText(pszContents);
}

// Today's check, what it is for and the days to the next one; or the days to the first one, or
// that the last one is past.
static void AppendWhereToday(PageText *pText, int nCheck, int nDaysToNext)
{
    if (nCheck == CHECKUP_NONE_YET)
    {
        AppendText(pText, IDS_CHECKUP_FIRST_AHEAD, nDaysToNext);
        return;
    }
    if (nCheck == CHECKUP_ALL_PAST)
    {
        AppendText(pText, IDS_CHECKUP_ALL_PAST, 0);
        return;
    }
    AppendCheckLine(pText, IDS_CHECKUP_CURRENT, nCheck, NULL, 0);
    AppendContents(pText, nCheck);
    if (nCheck + 1 < CHECKUP_COUNT)
        AppendCheckLine(pText, IDS_CHECKUP_NEXT, nCheck + 1, NULL, nDaysToNext);
}

// The whole schedule under its heading, check nToday marked, then the reminder that it is the
// usual one.
static void AppendSchedule(PageText *pText, int nToday)
{
    // Without the library's texts there is no schedule to show.
    WCHAR *pszHeading = LoadText(IDS_CHECKUP_HEADING);
    if (!pszHeading)
        return;
    if (pText->pszEnd != pText->sz)
        AppendBreak(pText);
    AppendLine(pText, AS_IS, pszHeading);
    FreeText(pszHeading);
    for (int i = 0; i < CHECKUP_COUNT; ++i)
    {
        WCHAR *pszContents = LoadText(IDS_CHECKUP_CONTENTS_FIRST + i);
        if (pszContents)
            AppendCheckLine(pText, i == nToday ? IDS_CHECKUP_LINE_MARKED : IDS_CHECKUP_LINE, i, pszContents, 0);
        FreeText(pszContents);
    }
    AppendText(pText, IDS_CHECKUP_FOOTNOTE, 0);
}

void ShowCheckups(const WCHAR *pszPrompt, int nPassedDays)
{
    PageText text;
    text.sz[0] = 0;
    text.pszEnd = text.sz;
    text.cchLeft = ARRAYSIZE(text.sz);

    int nToday = CHECKUP_NONE_YET;
    if (pszPrompt)
    {
        AppendLine(&text, AS_IS, pszPrompt);
    }
    else
    {
        int nDaysToNext = 0;
        nToday = FindCheckup(nPassedDays, &nDaysToNext);
        AppendWhereToday(&text, nToday, nDaysToNext);
    }
    AppendSchedule(&text, nToday);
    g_editCheckups.SetText(text.sz);
}
