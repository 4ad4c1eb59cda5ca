// Main.exe with a stopwatch: the same main routine over the same code, started by the
// start-up bench with the name of a StartPhaseTimes region as its command line, into which it
// writes when WinMain began and how long each step of the start took. Built as Main.exe is.
#include "bench/start_phase_times.h"
#include "main/main_window.h"

static StartPhaseTimes *s_pTimes = NULL;

static double NowUs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart * 1e6 / (double)frequency.QuadPart;
}

// Steps after the last one belong to what the window does once it is up: not timed.
static void MarkPhase(int nPhase)
{
    if (s_pTimes->nPhase == START_SHOW)
        return;
    double dNow = NowUs();
    s_pTimes->adPhaseUs[s_pTimes->nPhase] += dNow - s_pTimes->dMarkUs;
    s_pTimes->dMarkUs = dNow;
    s_pTimes->nPhase = nPhase;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCmdLine, int nCmdShow)
{
    double dEntry = NowUs();
    HANDLE hMapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, pszCmdLine);
    if (hMapping)
        s_pTimes = (StartPhaseTimes *)MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, sizeof(StartPhaseTimes));
    if (s_pTimes)
    {
        s_pTimes->dWinMainUs = dEntry;
        s_pTimes->dMarkUs = dEntry;
        s_pTimes->nPhase = START_WINDOW;
        g_pfnStartPhase = MarkPhase;
    }
    return MainRoutine(hInstance, nCmdShow);
}
