#pragma once
#include <windows.h>

// The steps of the start, in the order they first begin, for whoever wants to know where the
// start goes: each step is announced as it begins, and time belongs to the last one announced
// (the window's creation is resumed around config.xml and the menu bar, the pages around
// the picture).
// Main.exe itself listens to none of it.
enum StartPhase
{
    START_WINDOW,           // single-instance check, class, window, its fit above the menu bar
    START_CONFIG,           // the component runtime, config.xml prepared and its settings read
    START_MENU_BAR,         // the shell's menu bar, made while the window is
    START_RES_LIBRARY,      // UlvoRes.dll loaded
    START_PAGES,            // tab control and labels, page 今日's controls and its status line
    START_PICTURE,          // the month picture for the first page, made ready and handed over
    START_PICTURE_DECODE,   // of which the shell's decoding of it
    START_FULL_SCREEN,      // full-screen mode, the task bar out of the way
    START_SHOW,             // shown and painted
    START_PHASE_COUNT
};

typedef void (*PFN_STARTPHASE)(int nPhase);
extern PFN_STARTPHASE g_pfnStartPhase;

void EnterStartPhase(int nPhase);
