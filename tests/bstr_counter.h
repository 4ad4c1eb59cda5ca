#pragma once
#include <windows.h>

// Counts the component strings this process makes and frees. It rewrites this program's own
// import entries for SysAllocString, SysAllocStringLen and SysFreeString, so every call made
// by the configuration code and the DOM stand-in linked into the test passes through a counter
// (the system's string cache cannot hide a leak this way).
bool InstallBstrCounter();
LONG LiveBstrCount();
