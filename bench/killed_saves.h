#pragma once
// Settings saves ended at random moments: bench_main.exe, beside this program, saves two pairs
// of date and method in turn into one config.xml until it is ended with TerminateProcess. After
// each end the file and its folder are looked at, then a start-up or the next save follows.
#include <windows.h>

struct KilledSavesResult
{
    int nKills;
    int nOldPair;        // ended with the file holding the first pair, whole
    int nNewPair;        // or the second
    int nTorn;           // one pair's date with the other's method
    int nNotWhole;       // neither pair whole: missing, cut short or anything else
    int nSparesAtKill;   // ends that found a spare file beside config.xml
    int nCrowded;        // ends that found more than one
    int nSparesLeft;     // ends after which the start-up or save that followed left a file beside it
    int nFilesAtEnd;     // files beside config.xml after the last of them
    int nChildFailed;    // save loops that never saved
    DWORD dwChildExit;   // how the last of them ended: its exit code, STILL_ACTIVE if it never did
    wchar_t szLastStray[MAX_PATH];   // the name of the last file found beside config.xml
};
KilledSavesResult RunKilledSaves(int nKills, unsigned int nSeed);

// The child's side: saves the two pairs in turn into pszPath, counting the saves made in pszShared.
int SaveLoop(const wchar_t *pszShared, const wchar_t *pszPath);
