#pragma once
#include <windows.h>

// The main window's pages show the local date they were built for. While the program runs they
// are built again whenever that date has passed: when the window is activated, when the system
// time or date is changed, and at local midnight, by one timer set for the next midnight and set
// again each time the date is looked at.

// At the window's creation, before the pages are first built: their date, and the timer.
void StartFollowingDay(HWND hWnd);
// Activation, a time change, the timer: the pages built again when the date has moved on since
// they were last built, nothing touched otherwise; the timer set for the coming midnight.
void FollowDay(HWND hWnd);
// A timer of the window went off; only the midnight timer's is followed.
void FollowDayOnTimer(HWND hWnd, UINT_PTR nTimerId);
