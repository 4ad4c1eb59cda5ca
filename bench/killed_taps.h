#pragma once
// Record taps ended at random moments: bench_main.exe, beside this program, taps the kick counter
// and the contraction timer in turn over one records.csv until it is ended with TerminateProcess,
// saying each time how many kicks its screen counts and how many contraction taps it showed.
// After each end the file is looked at: every line whole but perhaps the last, nothing written
// before the round changed, every tap shown on screen in the file.
#include <windows.h>

struct KilledTapsResult
{
    int nKills;
    int nCounted;           // taps the screen had counted when the last loop was ended
    int nLines;             // whole kick lines in the file then
    int nContractionsShown; // contraction taps the screen had shown, over all loops
    int nContractionLines;  // whole contraction lines in the file then
    int nTornAtKill;        // ends that left a last line without its line end
    int nNotWhole;          // lines before the last that were neither whole nor a piece left by an earlier end
    int nEarlierChanged;    // ends after which a byte written before the round was not as it was
    int nCountedMissing;    // taps counted or shown on screen but not in the file, over all ends
    int nChildFailed;       // loops that never counted a tap
    DWORD dwChildExit;      // how the last of those ended
};
KilledTapsResult RunKilledTaps(int nKills, unsigned int nSeed);

// The child's side: taps both dialogs over the records.csv beside pszConfigPath.
int TapLoop(const wchar_t *pszShared, const wchar_t *pszConfigPath);
