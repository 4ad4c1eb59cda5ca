#pragma once
#include <windows.h>
#include "core/record_file.h"

// Counting the baby's movements as doctors ask: an hour at a time, movements within 5 minutes of
// the last one counted being one movement, the day's hours scaled to a 12-hour figure.
#define KICK_SESSION_SECONDS 3600   // a session lasts exactly this long from its first tap
#define KICK_MERGE_SECONDS   300    // a tap this long after the last effective one is a new movement
#define KICK_HALF_DAY_HOURS  12
#define KICK_HISTORY_DAYS    7      // the days before today that are shown
#define KICK_NORMAL_MIN      30     // a 12-hour estimate from here on is normal
#define KICK_FEW_MIN         20     // from here to the normal one, few; below it, too few

enum KickAssessment
{
    KICKS_TOO_FEW,
    KICKS_FEW,
    KICKS_NORMAL
};

// A day's complete sessions: those that started on that local date and whose hour has ended.
struct KickDay
{
    int nHours;         // how many
    int nEffective;     // their effective taps together
    int nEstimate;      // the 12-hour estimate; 0 without a session
};

struct KickSummary
{
    BOOL bRunning;      // a session's hour is still running
    int nSecondsLeft;   // of that hour
    int nTaps;          // its taps
    int nEffective;     // its effective taps
    KickDay today;
    KickDay aDaysBefore[KICK_HISTORY_DAYS];   // [0] is yesterday
};

// What the kick taps among pEvents (in time order; other events are passed over) come to at
// nNow. Taps after nNow, from a clock that was ahead, are not counted.
void SummarizeKicks(const RecordEvent *pEvents, int nCount, int nNow, KickSummary *pSummary);

// The effective taps of nHours complete sessions as a 12-hour figure, rounded half up.
int KickEstimate(int nEffective, int nHours);
KickAssessment AssessKicks(int nEstimate);
