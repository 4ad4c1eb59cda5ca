#pragma once
#include <windows.h>

// Reads config.xml afresh and rewrites the item's status line. TRUE when a start date was found.
BOOL CalculatePragnantTime();

extern const WCHAR SETUP_PROMPT[];
