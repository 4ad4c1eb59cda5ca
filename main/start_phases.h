#pragma once
#include <windows.h>

// The steps of the start, in the order they first begin, for whoever wants to know where the
// start goes: each step is announced as it begins, and time belongs to the last one announced
// (the window's creation is resumed around config.xml, the pages around the picture).
// Main.exe itself listens to none of it.
enum StartPhase
{
    START_WINDOW,           // single-instance check, class, window, menu bar, its fit above the bar
    START_CONFIG,           // the component runtime, config.xml prepared and its settings read
    START_RES_LIBRARY,      // UlvoRes.dll loaded
    START_PAGES,            // tab control and labels, page 今日's controls and its status line
    START_PICTURE,          // the month picture for the first page, made ready and handed over
    START_PICTURE_DECODE,   // of which the shell's decoding of it
    START_SHOW,             // full-screen mode, shown and painted
    START_PHASE_COUNT
};

typedef void (*PFN_STARTPHASE)(int nPhase);
extern PFN_STARTPHASE g_pfnStartPhase;

void EnterStartPhase(int nPhase);
