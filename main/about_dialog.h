#pragma once
#include <windows.h>

// The About dialog (template 105): a portrait layout and a landscape one (template 106),
// switched whenever its size changes.
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The layout template for a screen of that size: landscape unless taller than wide.
int AboutLayoutFor(int nScreenWidth, int nScreenHeight);
