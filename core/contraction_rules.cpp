#include "core/contraction_rules.h"
#include <strsafe.h>

namespace {

// The events taken in turn: the complete contractions so far, latest last, and the start still
// open, if any. An undo takes back the latest of them all.
struct Pass
{
    Contraction *pDone;
    int nDone;
    BOOL bOpen;
    int nOpenStart;
};

void Apply(Pass *p, const RecordEvent &e)
{
    if (p->bOpen && e.nTime - p->nOpenStart > CONTRACTION_OPEN_MAX)
        p->bOpen = FALSE;
    switch (e.nKind)
    {
    case RECORD_CONTRACTION_START:
        // A start while one is open abandons the open one.
        p->bOpen = TRUE;
        p->nOpenStart = e.nTime;
        break;
    case RECORD_CONTRACTION_END:
        if (p->bOpen)
        {
            p->pDone[p->nDone].nStart = p->nOpenStart;
            p->pDone[p->nDone].nDuration = e.nTime - p->nOpenStart;
            p->pDone[p->nDone].nInterval = CONTRACTION_NONE;
            p->nDone++;
            p->bOpen = FALSE;
        }
        break;
    case RECORD_CONTRACTION_UNDO:
        if (p->bOpen)
            p->bOpen = FALSE;
        else if (p->nDone > 0)
            p->nDone--;
        break;
    default:
        break;
    }
}

int Rounded(int nSum, int nCount)
{
    return (2 * nSum + nCount) / (2 * nCount);
}

void SummarizeLastHour(const Contraction *pDone, int nDone, int nNow, ContractionSummary *pSummary)
{
    int nSum = 0, nCount = 0, nFirst = 0;
    for (int i = nDone - 1; i >= 0 && nNow - pDone[i].nStart <= CONTRACTION_HOUR; i--)
    {
        nSum += pDone[i].nDuration;
        nFirst = pDone[i].nStart;
        nCount++;
    }
    pSummary->nHourCount = nCount;
    pSummary->nHourMeanDuration = nCount > 0 ? Rounded(nSum, nCount) : CONTRACTION_NONE;
    pSummary->nHourMeanInterval =
        nCount > 1 ? Rounded(pDone[nDone - 1].nStart - nFirst, nCount - 1) : CONTRACTION_NONE;
}

// A run back from the latest contraction, each one long enough and close enough to the one
// before it, that has lasted an hour.
BOOL RuleHolds(const Contraction *pDone, int nDone, int nNow)
{
    if (nDone == 0)
        return FALSE;
    const Contraction &last = pDone[nDone - 1];
    if (nNow - last.nStart > CONTRACTION_RULE_LAST || last.nDuration < CONTRACTION_RULE_DURATION)
        return FALSE;
    int i = nDone - 1;
    while (i > 0 && pDone[i].nInterval <= CONTRACTION_RULE_INTERVAL
           && pDone[i - 1].nDuration >= CONTRACTION_RULE_DURATION)
        i--;
    return last.nStart - pDone[i].nStart >= CONTRACTION_RULE_SPAN;
}

int StartedWithin(const Contraction *pDone, int nDone, int nNow, int nSeconds)
{
    int nCount = 0;
    for (int i = nDone - 1; i >= 0 && nNow - pDone[i].nStart <= nSeconds; i--)
        nCount++;
    return nCount;
}

}  // namespace

BOOL SummarizeContractions(const RecordEvent *pEvents, int nCount, int nNow, int nPregnancyDay,
                           ContractionSummary *pSummary)
{
    ZeroMemory(pSummary, sizeof(*pSummary));
    pSummary->nSinceLastStart = pSummary->nHourMeanDuration = pSummary->nHourMeanInterval = CONTRACTION_NONE;
    int nEnds = 0;
    for (int i = 0; i < nCount; i++)
        nEnds += pEvents[i].nKind == RECORD_CONTRACTION_END;
    Pass pass = { (Contraction *)HeapAlloc(GetProcessHeap(), 0, (nEnds + 1) * sizeof(Contraction)), 0, FALSE, 0 };
    if (!pass.pDone)
        return FALSE;
    for (int i = 0; i < nCount && pEvents[i].nTime <= nNow; i++)
        Apply(&pass, pEvents[i]);
    if (pass.bOpen && nNow - pass.nOpenStart <= CONTRACTION_OPEN_MAX)
    {
        pSummary->bRunning = TRUE;
        pSummary->nRunning = nNow - pass.nOpenStart;
    }

    const Contraction *pDone = pass.pDone;
    int nDone = pass.nDone;
    for (int i = 1; i < nDone; i++)
        pass.pDone[i].nInterval = pDone[i].nStart - pDone[i - 1].nStart;
    if (nDone > 0 && nNow - pDone[nDone - 1].nStart <= CONTRACTION_RECENT)
        pSummary->nSinceLastStart = nNow - pDone[nDone - 1].nStart;
    SummarizeLastHour(pDone, nDone, nNow, pSummary);
    pSummary->bRuleHolds = RuleHolds(pDone, nDone, nNow);
    pSummary->bPreterm = nPregnancyDay != CONTRACTION_NONE && nPregnancyDay < CONTRACTION_TERM_DAY
        && (StartedWithin(pDone, nDone, nNow, CONTRACTION_PRETERM_SHORT) >= CONTRACTION_PRETERM_SHORT_COUNT
            || StartedWithin(pDone, nDone, nNow, CONTRACTION_HOUR) >= CONTRACTION_PRETERM_LONG_COUNT);
    for (int i = nDone - 1; i >= 0 && pSummary->nShown < CONTRACTION_SHOWN; i--)
        pSummary->aShown[pSummary->nShown++] = pDone[i];
    HeapFree(GetProcessHeap(), 0, pass.pDone);
    return TRUE;
}

void FormatContractionTime(int nSeconds, WCHAR *pszText, size_t cchText)
{
    if (nSeconds < 0)
        nSeconds = 0;
    if (nSeconds < CONTRACTION_HOUR)
        StringCchPrintfW(pszText, cchText, L"%d:%02d", nSeconds / 60, nSeconds % 60);
    else
        StringCchPrintfW(pszText, cchText, L"%d:%02d:%02d", nSeconds / 3600, nSeconds / 60 % 60, nSeconds % 60);
}
