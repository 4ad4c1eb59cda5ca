#pragma once
#include <windows.h>

// Every message box of the main program goes through here, so the tests can see what the
// user would be shown without a box waiting for a tap.
typedef int (WINAPI *PFN_MESSAGEBOXW)(HWND hWnd, LPCWSTR pszText, LPCWSTR pszCaption, UINT uType);
extern PFN_MESSAGEBOXW g_pfnMessageBox;
