#pragma once
#include <windows.h>
#include "platform/display_density.h"

// Where the device's form of a call is not accepted by the desktop, the desktop form lives here.

// The device ignores a registry key's access mask (its code passes 0); the desktop refuses to
// read or write through a key opened with 0.
#define REG_ACCESS_READ  KEY_QUERY_VALUE
#define REG_ACCESS_WRITE KEY_SET_VALUE

// The device brings a window and its owned popups forward when the handle's low bit is set:
// SetForegroundWindow((HWND)((ULONG)hWnd | 0x01)). The desktop rejects such a handle.
inline BOOL BringWindowForward(HWND hWnd) { return SetForegroundWindow(hWnd); }

// Bringing back a window that SW_MINIMIZE put away: the device shows it again with SW_SHOW;
// the desktop leaves a minimized window minimized on SW_SHOW and needs SW_RESTORE.
// Device: #define SW_SHOWAGAIN SW_SHOW
#define SW_SHOWAGAIN SW_RESTORE

// A top-level window made with WS_VISIBLE alone and CW_USEDEFAULT for its rectangle is, on the
// device, a window without caption over the work area (the screen below the task bar). The
// desktop adds a caption to such a window and gives it a small cascaded rectangle; a popup over
// the work area is its equivalent. Device:
//   return CreateWindowExW(0, pszClass, pszTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
//                          CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
inline HWND CreateWorkAreaWindow(LPCWSTR pszClass, LPCWSTR pszTitle, DWORD dwStyle, HINSTANCE hInstance)
{
    RECT rc;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return CreateWindowExW(0, pszClass, pszTitle, dwStyle | WS_POPUP, rc.left, rc.top,
                           rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, hInstance, NULL);
}

// The device starts every program shown: its CreateProcess takes no start-up information, so
// WinMain's show command is always SW_SHOW, also for a shell execute whose record leaves nShow
// at 0. The desktop passes that 0 on as SW_HIDE. Device: return nCmdShow;
inline int StartupShowCommand(int nCmdShow) { return nCmdShow == SW_HIDE ? SW_SHOW : nCmdShow; }

// Putting a fully written file in the place of another in one step, so that a crash leaves the
// old file or the new one: the device's object store does it with DeleteAndRenameFile, which the
// desktop's kernel lacks. Its desktop form is MoveFileEx, which the device lacks in turn; it is
// looked up when wanted rather than imported, so the modules import only what the device
// exports. Device: nothing here, the platform declares DeleteAndRenameFile itself.
inline BOOL DeleteAndRenameFile(LPCWSTR pszDestFile, LPCWSTR pszSourceFile)
{
    typedef BOOL (WINAPI *PFN_MOVEFILEEXW)(LPCWSTR, LPCWSTR, DWORD);
    PFN_MOVEFILEEXW pfnMoveFileEx =
        (PFN_MOVEFILEEXW)(void *)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "MoveFileExW");
    if (!pfnMoveFileEx)
    {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return pfnMoveFileEx(pszSourceFile, pszDestFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The platform's system font as a logical-font description. The desktop's stock system font
// grows in height on a denser screen but keeps the character width it has at 96 dots per inch,
// so a font made from it draws narrow text there; the device's grows in both. Device:
//   return GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(*plf), plf);
inline int GetSystemFontDescription(LOGFONTW *plf)
{
    int cb = GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(*plf), plf);
    if (cb)
        plf->lfWidth = ScaleToDpi(plf->lfWidth, ReadScreenDpi(AXIS_HORIZONTAL));
    return cb;
}
