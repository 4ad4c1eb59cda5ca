#pragma once
#include <windows.h>

// The Today screen: paints the background, answers the items' colour and background
// requests, hosts the item windows and asks them every two seconds whether they changed.
BOOL RegisterTodayWindow(HINSTANCE hInstance);
HWND CreateTodayWindow(HINSTANCE hInstance, HWND hwndParent, const RECT *prc);

// Loads the registered items into the Today window and lays them out.
void StartTodayItems(HWND hwndToday);
