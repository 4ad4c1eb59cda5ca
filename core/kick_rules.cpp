#include "core/kick_rules.h"

namespace {

struct Session
{
    int nStart;
    int nLastEffective;
    int nTaps;
    int nEffective;
};

void AddToDay(KickDay *pDay, const Session &s)
{
    pDay->nHours++;
    pDay->nEffective += s.nEffective;
    pDay->nEstimate = KickEstimate(pDay->nEffective, pDay->nHours);
}

// A session ends when a tap falls after its hour or the taps run out: complete, it counts for
// the day it started on; else it is the one running now.
void CloseSession(const Session &s, int nNow, KickSummary *pSummary)
{
    if (nNow >= s.nStart + KICK_SESSION_SECONDS)
    {
        int nDaysBack = nNow / RECORD_SECONDS_PER_DAY - s.nStart / RECORD_SECONDS_PER_DAY;
        if (nDaysBack == 0)
            AddToDay(&pSummary->today, s);
        else if (nDaysBack >= 1 && nDaysBack <= KICK_HISTORY_DAYS)
            AddToDay(&pSummary->aDaysBefore[nDaysBack - 1], s);
        return;
    }
    pSummary->bRunning = TRUE;
    pSummary->nSecondsLeft = (s.nStart + KICK_SESSION_SECONDS - nNow);
    pSummary->nTaps = s.nTaps;
    pSummary->nEffective = s.nEffective;
}

}  // namespace

int KickEstimate(int nEffective, int nHours)
{
    if (nHours <= 0)
        return 0;
    return (2 * KICK_HALF_DAY_HOURS * nEffective + nHours) / (2 * nHours);
}

KickAssessment AssessKicks(int nEstimate)
{
    if (nEstimate >= KICK_NORMAL_MIN)
        return KICKS_NORMAL;
    return nEstimate >= KICK_FEW_MIN ? KICKS_FEW : KICKS_TOO_FEW;
}

void SummarizeKicks(const RecordEvent *pEvents, int nCount, int nNow, KickSummary *pSummary)
{
    ZeroMemory(pSummary, sizeof(*pSummary));
    Session s;
    ZeroMemory(&s, sizeof(s));
    for (int i = 0; i < nCount; i++)
    {
        int t = pEvents[i].nTime;
        if (pEvents[i].nKind != RECORD_KICK || t > nNow)
            continue;
        if (s.nTaps > 0 && t < s.nStart + KICK_SESSION_SECONDS)
        {
            s.nTaps++;
            if (t - s.nLastEffective >= KICK_MERGE_SECONDS)
            {
                s.nEffective++;
                s.nLastEffective = t;
            }
            continue;
        }
        if (s.nTaps > 0)
            CloseSession(s, nNow, pSummary);
        s.nStart = s.nLastEffective = t;
        s.nTaps = s.nEffective = 1;
    }
    if (s.nTaps > 0)
        CloseSession(s, nNow, pSummary);
}
