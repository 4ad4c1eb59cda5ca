#pragma once
// What the timed twin of Main.exe (main_phases.cpp) leaves for the start-up bench, in memory
// shared by the name the bench gives it on the command line. Times are the performance
// counter's, in microseconds: the same clock in both processes.
#include <windows.h>
#include "main/start_phases.h"

struct StartPhaseTimes
{
    double dWinMainUs;                      // the first instruction of WinMain
    double dMarkUs;                         // when the step now running began
    volatile LONG nPhase;                   // the step now running
    double adPhaseUs[START_PHASE_COUNT];    // time spent in each step that is over
};
