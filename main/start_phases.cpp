#include "main/start_phases.h"

PFN_STARTPHASE g_pfnStartPhase = NULL;

void EnterStartPhase(int nPhase)
{
    if (g_pfnStartPhase)
        g_pfnStartPhase(nPhase);
}
