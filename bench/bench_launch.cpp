// Program start to first painted window, for Main.exe, for the minimal window program (alone and
// over Main.exe's libraries) and for Main.exe's timed twin (main_phases.cpp), taken in turns from
// one copy of the install set, on whatever screen Wine gives it (the bench command runs it on one
// of the device's size):
//   bench_launch RUNS
// Each start: CreateProcess, then poll every millisecond until a top-level window of the
// program's class, owned by that process, is visible and neither it nor any of its visible
// children has anything left to paint (GetUpdateRect empty); then one WM_NULL round trip
// through its message loop. The program is closed (WM_CLOSE) and waited for before the next.
// The twin's start comes in phases: from CreateProcess to its WinMain, each step it timed
// itself, and from its last step's beginning to the moment the first measure ends.
#include <windows.h>
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/start_phase_times.h"
#include "bench/timing.h"
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// As the run command's example: 12 weeks and 1 day, the third month's picture.
const int LAUNCH_DAYS_PASSED = 85;

struct Target
{
    const wchar_t *pszExe;
    const wchar_t *pszClass;
};

BOOL CALLBACK FindPending(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd) && GetUpdateRect(hWnd, NULL, FALSE))
    {
        *(bool *)lParam = true;
        return FALSE;
    }
    return TRUE;
}

bool IsPainted(HWND hWnd)
{
    if (!IsWindowVisible(hWnd) || GetUpdateRect(hWnd, NULL, FALSE))
        return false;
    bool bPending = false;
    EnumChildWindows(hWnd, FindPending, (LPARAM)&bPending);
    return !bPending;
}

struct FindData
{
    const wchar_t *pszClass;
    DWORD dwProcessId;
    HWND hWnd;
};

BOOL CALLBACK FindTopLevel(HWND hWnd, LPARAM lParam)
{
    FindData *pData = (FindData *)lParam;
    wchar_t szClass[64] = L"";
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == pData->dwProcessId && GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass))
        && lstrcmpW(szClass, pData->pszClass) == 0)
    {
        pData->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the first painted window, or a negative number when none came; where asked,
// when the process was started and when the window was found painted (microseconds).
double TimeStart(const std::wstring &strDir, const Target &target, int *pnUnpaintedPolls,
                 const std::wstring &strArgs = L"", double *pdStartUs = NULL, double *pdPaintedUs = NULL)
{
    std::wstring strCommandLine = L"\"" + strDir + L"\\" + target.pszExe + L"\"" + strArgs;
    DWORD dwProcessId = 0;
    double dStart = NowMicroseconds();
    if (pdStartUs)
        *pdStartUs = dStart;
    HANDLE hProcess = StartProcess(strCommandLine, strDir.c_str(), &dwProcessId);
    if (!hProcess)
        return -1;
    double dMs = -1;
    FindData data = { target.pszClass, dwProcessId, NULL };
    for (int nPoll = 0; nPoll < 30000; nPoll++)
    {
        data.hWnd = NULL;
        EnumWindows(FindTopLevel, (LPARAM)&data);
        if (data.hWnd)
        {
            if (IsPainted(data.hWnd))
            {
                DWORD_PTR dwResult = 0;
                SendMessageTimeoutW(data.hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &dwResult);
                double dPainted = NowMicroseconds();
                if (pdPaintedUs)
                    *pdPaintedUs = dPainted;
                dMs = (dPainted - dStart) / 1000;
                break;
            }
            if (IsWindowVisible(data.hWnd))
                ++*pnUnpaintedPolls;
        }
        if (WaitForSingleObject(hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (data.hWnd)
        PostMessageW(data.hWnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(hProcess, 15000) != WAIT_OBJECT_0)
    {
        TerminateProcess(hProcess, 1);
        WaitForSingleObject(hProcess, 5000);
    }
    CloseHandle(hProcess);
    return dMs;
}

// The rows of the start in phases: from CreateProcess to WinMain, then the twin's own steps.
const int PHASE_ROWS = 1 + START_PHASE_COUNT;
const char *const PHASE_NAMES[PHASE_ROWS] = {
    "winmain", "window", "config", "menubar", "reslib", "pages", "picture", "decode", "fullscreen", "show",
};

// One start of the twin, in phases (milliseconds); false when it gave none.
bool TimePhases(const std::wstring &strDir, const Target &target, int *pnUnpaintedPolls, StartPhaseTimes *pTimes,
                const std::wstring &strShared, double *pdPhasesMs)
{
    ZeroMemory(pTimes, sizeof(*pTimes));
    double dStart = 0, dPainted = 0;
    if (TimeStart(strDir, target, pnUnpaintedPolls, L" " + strShared, &dStart, &dPainted) < 0
        || pTimes->nPhase != START_SHOW || pTimes->dWinMainUs < dStart)
        return false;
    pdPhasesMs[0] = (pTimes->dWinMainUs - dStart) / 1000;
    for (int i = 0; i < START_PHASE_COUNT; i++)
        pdPhasesMs[1 + i] = pTimes->adPhaseUs[i] / 1000;
    pdPhasesMs[1 + START_SHOW] = (dPainted - pTimes->dMarkUs) / 1000;
    return true;
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    int nRuns = argc > 1 ? _wtoi(argv[1]) : 15;
    std::wstring strDir = TempFolder(L"ulvo-bench-launch");
    std::wstring strFrom = ExeDir();
    const wchar_t *const FILES[] = { L"Main.exe", L"UlvoRes.dll", L"aygshell.dll", L"minimal_window.exe",
                                     L"minimal_window_imports.exe", L"main_phases.exe" };
    for (const wchar_t *pszFile : FILES)
        if (!CopyFileW((strFrom + L"\\" + pszFile).c_str(), (strDir + L"\\" + pszFile).c_str(), FALSE))
        {
            printf("launch_error copy\n");
            return 1;
        }
    // A pregnancy in progress, as a user has it: the first page shows its status and month picture.
    WriteWholeFile(strDir + L"\\config.xml", ConfigFile(StoredDate(LocalDateDaysAgo(LAUNCH_DAYS_PASSED)).c_str(), "2"));

    const Target MAIN = { L"Main.exe", L"MAIN" };
    const Target MINIMAL = { L"minimal_window.exe", L"UlvoMinimal" };
    const Target MINIMAL_IMPORTS = { L"minimal_window_imports.exe", L"UlvoMinimal" };
    const Target TWIN = { L"main_phases.exe", L"MAIN" };
    std::wstring strShared = SharedNameOf(L"UlvoBenchStartPhases");
    HANDLE hMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(StartPhaseTimes),
                                         strShared.c_str());
    StartPhaseTimes *pTimes = hMapping ? (StartPhaseTimes *)MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, 0) : NULL;
    if (!pTimes)
    {
        printf("launch_error shared\n");
        return 1;
    }
    std::vector<double> mainTimes, minimalTimes, importsTimes, twinTimes, phaseTimes[PHASE_ROWS];
    int nFailed = 0, nPhasesFailed = 0, nMainUnpainted = 0, nMinimalUnpainted = 0, nImportsUnpainted = 0, nTwinUnpainted = 0;
    double adPhasesMs[PHASE_ROWS];
    // One start of each first, unmeasured: the first start of a program loads its DLLs from disk.
    TimeStart(strDir, MINIMAL, &nMinimalUnpainted);
    TimeStart(strDir, MINIMAL_IMPORTS, &nImportsUnpainted);
    TimeStart(strDir, MAIN, &nMainUnpainted);
    TimePhases(strDir, TWIN, &nTwinUnpainted, pTimes, strShared, adPhasesMs);
    nMainUnpainted = nMinimalUnpainted = 0;
    for (int i = 0; i < nRuns; i++)
    {
        double dMinimal = TimeStart(strDir, MINIMAL, &nMinimalUnpainted);
        double dMain = TimeStart(strDir, MAIN, &nMainUnpainted);
        if (dMinimal < 0 || dMain < 0)
            nFailed++;
        else
        {
            minimalTimes.push_back(dMinimal);
            mainTimes.push_back(dMain);
        }
        double dImports = TimeStart(strDir, MINIMAL_IMPORTS, &nImportsUnpainted);
        if (dImports >= 0)
            importsTimes.push_back(dImports);
        if (!TimePhases(strDir, TWIN, &nTwinUnpainted, pTimes, strShared, adPhasesMs))
            nPhasesFailed++;
        else
        {
            double dTwin = 0;
            for (int k = 0; k < PHASE_ROWS; k++)
            {
                phaseTimes[k].push_back(adPhasesMs[k]);
                dTwin += adPhasesMs[k];
            }
            twinTimes.push_back(dTwin);
        }
    }
    double dPhasesSum = 0;
    for (int k = 0; k < PHASE_ROWS; k++)
    {
        printf("launch_phase_%s_ms %.1f\n", PHASE_NAMES[k], Median(phaseTimes[k]));
        dPhasesSum += Median(phaseTimes[k]);
    }
    printf("launch_phases_sum_ms %.1f\nlaunch_phases_failed %d\nlaunch_twin_ms %.1f\nlaunch_minimal_imports_ms %.1f\n",
           dPhasesSum, nPhasesFailed, Median(twinTimes), Median(importsTimes));
    UnmapViewOfFile(pTimes);
    CloseHandle(hMapping);
    double dMain = Median(mainTimes), dMinimal = Median(minimalTimes);
    HDC hdcScreen = GetDC(NULL);
    printf("launch_screen %dx%d\nlaunch_screen_dpi %d\n", GetSystemMetrics(SM_CXSCREEN),
           GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(hdcScreen, LOGPIXELSY));
    ReleaseDC(NULL, hdcScreen);
    printf("launch_runs %d\nlaunch_failed %d\nlaunch_main_ms %.1f\nlaunch_minimal_ms %.1f\nlaunch_ratio %.2f\n"
           "launch_main_unpainted_polls %d\nlaunch_minimal_unpainted_polls %d\n",
           nRuns, nFailed, dMain, dMinimal, dMinimal > 0 ? dMain / dMinimal : 0.0,
           nMainUnpainted, nMinimalUnpainted);
    RemoveFolder(strDir);
    return 0;
}
