#pragma once
#include <windows.h>

#define MAIN_ERROR_TEXT    L"无法初始化程序！"
#define MAIN_ERROR_CAPTION L"Error"

// Held by the running instance from before its window exists until the window is gone.
#define MAIN_INSTANCE_MUTEX L"Ulvo.Main.Instance"

// Posted to the main window by its start once it has been painted: the pages that are not shown
// first are built and filled then. A fixed number after the program's other private messages.
#define MYMSG_MAIN_FILL_PAGES 0x1402

// The main routine from start to the end of the message loop; returns the exit code.
int MainRoutine(HINSTANCE hInstance, int nCmdShow);

BOOL StartInstance(HINSTANCE hInstance, int nCmdShow);
// Start-up's part with config.xml: a usable file stays as it is, anything else is copied aside
// and replaced by an empty configuration; "无法初始化程序！" when that cannot be done. The
// document stays open with what it found, for the first page to read the settings from.
void PrepareConfigFile();
ATOM RegisterMainClass(HINSTANCE hInstance, const WCHAR *pszClassName);
LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
