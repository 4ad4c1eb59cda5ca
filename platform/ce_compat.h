#pragma once
#include <windows.h>

// Where the device and the desktop behave differently, the difference lives here, one
// function or macro each, with the device's form in its comment.

// Bringing back a window that SW_MINIMIZE put away: the device shows it again with SW_SHOW;
// the desktop leaves a minimized window minimized on SW_SHOW and needs SW_RESTORE.
// Device: #define SW_SHOWAGAIN SW_SHOW
#define SW_SHOWAGAIN SW_RESTORE
