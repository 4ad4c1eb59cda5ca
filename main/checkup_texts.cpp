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

static BOOL IsEmpty(const PageText *pText)
{
    return pText->pszEnd == pText->sz;
}

static void AppendBreak(PageText *pText)
{
    StringCchCopyExW(pText->pszEnd, pText->cchLeft, LINE_BREAK, &pText->pszEnd, &pText->cchLeft, 0);
}

static void AppendLineV(PageText *pText, const WCHAR *pszFormat, va_list args)
{
    if (!IsEmpty(pText))
        AppendBreak(pText);
    StringCchVPrintfExW(pText->pszEnd, pText->cchLeft, &pText->pszEnd, &pText->cchLeft, 0, pszFormat, args);
}

static void AppendLine(PageText *pText, const WCHAR *pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendLineV(pText, pszFormat, args);
    va_end(args);
}

static WCHAR *LoadResText(UINT nId)
{
    return g_pResLib ? g_pResLib->LoadResString(nId) : NULL;
}

static void FreeResText(WCHAR *pszText)
{
    if (g_pResLib)
        g_pResLib->FreeText(pszText);
}

// A line from a format of UlvoRes.dll, filled in with the values its comment in ulvores_ids.h
// names; a format the library lacks leaves the line out.
static void AppendResLine(PageText *pText, UINT nFormatId, ...)
{
    WCHAR *pszFormat = LoadResText(nFormatId);
    if (!pszFormat)
        return;
    va_list args;
    va_start(args, nFormatId);
    AppendLineV(pText, pszFormat, args);
    va_end(args);
    FreeResText(pszFormat);
}

// Today's check, what it is for and the days to the next one; or the days to the first one, or
// that the last one is past.
static void AppendWhereToday(PageText *pText, int nCheck, int nDaysToNext)
{
    if (nCheck == CHECKUP_NONE_YET)
    {
        AppendResLine(pText, IDS_CHECKUP_FIRST_AHEAD, nDaysToNext);
        return;
    }
    if (nCheck == CHECKUP_ALL_PAST)
    {
        AppendResLine(pText, IDS_CHECKUP_ALL_PAST);
        return;
    }
    WCHAR szWeeks[CHECKUP_WEEKS_CCH];
    FormatCheckupWeeks(nCheck, szWeeks, ARRAYSIZE(szWeeks));
    AppendResLine(pText, IDS_CHECKUP_CURRENT, szWeeks);
    WCHAR *pszContents = LoadResText(IDS_CHECKUP_CONTENTS_FIRST + nCheck);
    if (pszContents)
        AppendLine(pText, AS_IS, pszContents);
    FreeResText(pszContents);
    if (nCheck + 1 < CHECKUP_COUNT)
    {
        FormatCheckupWeeks(nCheck + 1, szWeeks, ARRAYSIZE(szWeeks));
        AppendResLine(pText, IDS_CHECKUP_NEXT, szWeeks, nDaysToNext);
    }
}

// The whole schedule under its heading, check nToday marked, then the reminder that it is the
// usual one; a blank line sets it apart from what stands above it.
static void AppendSchedule(PageText *pText, int nToday)
{
    WCHAR *pszHeading = LoadResText(IDS_CHECKUP_HEADING);
    if (!pszHeading)
        return;
    if (!IsEmpty(pText))
        AppendBreak(pText);
    AppendLine(pText, AS_IS, pszHeading);
    FreeResText(pszHeading);
    for (int i = 0; i < CHECKUP_COUNT; ++i)
    {
        WCHAR szWeeks[CHECKUP_WEEKS_CCH];
        FormatCheckupWeeks(i, szWeeks, ARRAYSIZE(szWeeks));
        WCHAR *pszContents = LoadResText(IDS_CHECKUP_CONTENTS_FIRST + i);
        if (pszContents)
            AppendResLine(pText, i == nToday ? IDS_CHECKUP_LINE_MARKED : IDS_CHECKUP_LINE, szWeeks, pszContents);
        FreeResText(pszContents);
    }
    AppendResLine(pText, IDS_CHECKUP_FOOTNOTE);
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
