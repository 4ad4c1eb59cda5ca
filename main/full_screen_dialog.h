#pragma once
#include <windows.h>
#include <aygshell.h>

// What every dialog of the program does first: the shell makes it full screen, it moves to
// the screen's top left corner keeping its right and bottom edges, and it gets its soft
// keys from menu nMenuBarId. prcBefore, when given, receives the window rectangle read
// before the move.
void InitFullScreenDialog(HWND hDlg, DWORD dwShellFlags, int nMenuBarId, RECT *prcBefore);
