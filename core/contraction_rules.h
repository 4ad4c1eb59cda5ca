#pragma once
#include <windows.h>
#include "core/record_file.h"

// Timing contractions at the end of a pregnancy: how long each lasts, how far apart they come,
// and whether they have reached the pattern doctors send a mother to hospital for (5 minutes
// apart or less, each about a minute long, for an hour), or come regularly too early.
#define CONTRACTION_OPEN_MAX        600     // a start left open longer than this is abandoned
#define CONTRACTION_RECENT          7200    // the time since the last start is shown this long
#define CONTRACTION_HOUR            3600    // the last hour's figures
#define CONTRACTION_RULE_INTERVAL   300     // the rule: every interval at most this,
#define CONTRACTION_RULE_DURATION   45      // every contraction at least this long,
#define CONTRACTION_RULE_SPAN       3600    // for at least this long from first to last start,
#define CONTRACTION_RULE_LAST       600     // the last of them started at most this long ago
#define CONTRACTION_TERM_DAY        259     // day 259 of the pregnancy begins week 37
#define CONTRACTION_PRETERM_SHORT   1200    // before it, this many in the last 20 minutes
#define CONTRACTION_PRETERM_SHORT_COUNT 4
#define CONTRACTION_PRETERM_LONG_COUNT  8   // or this many in the last hour warn
#define CONTRACTION_SHOWN           10      // the latest ones listed
#define CONTRACTION_NONE            (-1)
#define CONTRACTION_TIME_CCH        16

// A complete contraction: a start with the first end after it.
struct Contraction
{
    int nStart;         // record time of its start
    int nDuration;      // seconds from start to end
    int nInterval;      // seconds since the previous complete contraction's start, or CONTRACTION_NONE
};

struct ContractionSummary
{
    BOOL bRunning;              // a contraction has started and not ended
    int nRunning;               // its seconds so far
    int nSinceLastStart;        // since the last complete one's start, if within 2 hours; else NONE
    int nHourCount;             // complete contractions that started in the last hour
    int nHourMeanDuration;      // their mean duration, NONE without any
    int nHourMeanInterval;      // their mean interval, NONE with fewer than two
    BOOL bRuleHolds;            // the 5-1-1 pattern has been reached
    BOOL bPreterm;              // regular contractions before week 37
    int nShown;
    Contraction aShown[CONTRACTION_SHOWN];  // the latest, newest first
};

// What the contraction events among pEvents (in time order; kicks are passed over) come to at
// nNow; nPregnancyDay is today's day of a pregnancy in progress, or CONTRACTION_NONE. Events
// after nNow, from a clock that was ahead, are not counted. FALSE when there was no memory for
// the work: the summary is then empty.
BOOL SummarizeContractions(const RecordEvent *pEvents, int nCount, int nNow, int nPregnancyDay,
                           ContractionSummary *pSummary);

// Seconds as the timer shows them: "m:ss" under an hour, "h:mm:ss" from an hour on.
void FormatContractionTime(int nSeconds, WCHAR *pszText, size_t cchText);
