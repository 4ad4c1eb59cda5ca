#pragma once
#include <windows.h>
#include <todaycmn.h>

// What the library's entry routine does on process attach and detach.
void ItemProcessAttach(HINSTANCE hInstance);
void ItemProcessDetach();

void SaveItemWindowHandle(HWND hWnd);

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM *pItem, HWND hwndParent);
extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
