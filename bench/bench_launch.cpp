// Program start to first painted window, for Main.exe and for the minimal window program,
// taken in turns from one copy of the install set, on whatever screen Wine gives it (the bench
// command runs it on one of the device's size):
//   bench_launch RUNS
// Each start: CreateProcess, then poll every millisecond until a top-level window of the
// program's class, owned by that process, is visible and neither it nor any of its visible
// children has anything left to paint (GetUpdateRect empty); then one WM_NULL round trip
// through its message loop. The program is closed (WM_CLOSE) and waited for before the next.
#include <windows.h>
#include "bench/child_processes.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/timing.h"
#include <cstdio>
#include <vector>

namespace {

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

// Milliseconds to the first painted window, or a negative number when none came.
double TimeStart(const std::wstring &strDir, const Target &target, int *pnUnpaintedPolls)
{
    std::wstring strCommandLine = L"\"" + strDir + L"\\" + target.pszExe + L"\"";
    DWORD dwProcessId = 0;
    double dStart = NowMicroseconds();
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
                dMs = (NowMicroseconds() - dStart) / 1000;
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

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    int nRuns = argc > 1 ? _wtoi(argv[1]) : 15;
    std::wstring strDir = TempFolder(L"ulvo-bench-launch");
    std::wstring strFrom = ExeDir();
    const wchar_t *const FILES[] = { L"Main.exe", L"UlvoRes.dll", L"aygshell.dll", L"minimal_window.exe" };
    for (const wchar_t *pszFile : FILES)
        if (!CopyFileW((strFrom + L"\\" + pszFile).c_str(), (strDir + L"\\" + pszFile).c_str(), FALSE))
        {
            printf("launch_error copy\n");
            return 1;
        }
    WriteWholeFile(strDir + L"\\config.xml", ConfigFile("2010-1-1", "2"));

    const Target MAIN = { L"Main.exe", L"MAIN" };
    const Target MINIMAL = { L"minimal_window.exe", L"UlvoMinimal" };
    std::vector<double> mainTimes, minimalTimes;
    int nFailed = 0, nMainUnpainted = 0, nMinimalUnpainted = 0;
    // One start of each first, unmeasured: the first start of a program loads its DLLs from disk.
    TimeStart(strDir, MINIMAL, &nMinimalUnpainted);
    TimeStart(strDir, MAIN, &nMainUnpainted);
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
    }
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
