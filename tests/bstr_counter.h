#pragma once
#include <windows.h>

// Counts the component strings made and freed through a module's imports. It rewrites that
// module's import entries for SysAllocString, SysAllocStringLen and SysFreeString, so every
// such call it makes passes through a counter (the system's string cache cannot hide a leak
// this way). Give it the test program and the DOM server: strings the one makes the other
// frees. False when the module imports none of the three.
bool InstallBstrCounter(HMODULE hModule);
LONG LiveBstrCount();
