#pragma once
#include <windows.h>
#include <string>

// Driving the programs from outside, as another process sees them.

// A bound for a slow start under Wine, never a measure.
const DWORD PROCESS_WAIT_LIMIT_MS = 60000;

// Waits for a handle (or, with none, just the time) while answering what other programs send
// to this thread's windows. True when the handle was signalled.
bool WaitPumping(HANDLE h, DWORD dwLimitMs = PROCESS_WAIT_LIMIT_MS);

// A window's text as another process reads it (GetWindowText does not cross processes).
std::wstring WindowText(HWND hWnd);
