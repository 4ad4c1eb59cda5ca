#pragma once
#include <windows.h>

// The kick counter (template 111): the hour being counted, a big button for each movement, what
// today's complete hours come to and the days before; "确定" as its soft key. Every tap is in
// records.csv before it is counted.
INT_PTR CALLBACK KickDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
