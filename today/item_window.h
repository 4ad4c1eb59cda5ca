#pragma once
#include <windows.h>
#include <shellapi.h>

LRESULT CALLBACK TodayItemWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
void CALLBACK RefreshTimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

// Paints the icon and the line into hdc as the item's window would show them.
void PaintItem(HWND hWnd, HDC hdc);

// The font the line is drawn in for a device context: by the device's default language.
HFONT CreateItemFont(HDC hdc);

// Starting the main program goes through here, so the record handed over can be checked.
typedef BOOL (WINAPI *PFN_SHELLEXECUTEEX)(SHELLEXECUTEINFOW *pInfo);
extern PFN_SHELLEXECUTEEX g_pfnShellExecuteEx;
