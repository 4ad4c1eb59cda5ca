// todayhost.exe: a stand-in for the Pocket PC Today screen, hosting Today items as the
// device's shell does.
//   todayhost [/hidpi] [/exit-after SECONDS]
// /hidpi lays out a 480 x 640 screen instead of 240 x 320; the density itself is the
// display's (Wine's LogPixels).
#include <windows.h>
#include <shellapi.h>
#include <stdlib.h>
#include "platform/today/shell_frame.h"
#include "platform/today/today_shell.h"

namespace {

struct HostOptions
{
    BOOL bHiDpi;
    UINT nExitAfter;
};

void ReadOptions(HostOptions *pOptions)
{
    pOptions->bHiDpi = FALSE;
    pOptions->nExitAfter = 0;
    int nArgs = 0;
    LPWSTR *ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs)
        return;
    for (int i = 1; i < nArgs; ++i)
    {
        if (lstrcmpiW(ppszArgs[i], L"/hidpi") == 0)
            pOptions->bHiDpi = TRUE;
        else if (lstrcmpiW(ppszArgs[i], L"/exit-after") == 0 && i + 1 < nArgs)
            pOptions->nExitAfter = (UINT)wcstoul(ppszArgs[++i], NULL, 10);
    }
    LocalFree(ppszArgs);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    HostOptions options;
    ReadOptions(&options);
    HWND hwndFrame = StartTodayShell(hInstance, options.bHiDpi);
    if (!hwndFrame)
        return 1;
    CloseShellFrameAfter(hwndFrame, options.nExitAfter);

    MSG msg;
    msg.wParam = 0;
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
