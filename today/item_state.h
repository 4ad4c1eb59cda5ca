#pragma once
#include <windows.h>
#include "core/config_document.h"
#include "core/resource_library.h"
#include "platform/display_density.h"

// The item's module-wide state: one set per loaded library, living as long as it.
#define ITEM_TEXT_CCH 260

extern HINSTANCE g_hInstance;
extern HWND g_hWnd;
extern HICON g_hIcon;
extern BOOL g_bFirstDisplay;
extern WCHAR g_szShowTxt[ITEM_TEXT_CCH];
extern WCHAR g_szXMLFilePath[MAX_PATH];
extern ConfigDocument g_ItemConfig;
extern ResourceLibrary g_ItemResLib;

// Lengths designed at 96 dots per inch.
#define ITEM_HEIGHT        40
#define ITEM_ICON_X        2
#define ITEM_ICON_SIZE     16
#define ITEM_TEXT_LEFT     40
#define ITEM_TEXT_TOP      2

#define REFRESH_TIMER_ID     1
#define REFRESH_TIMER_PERIOD 600000

int ScaleToDisplay(int nLength, DisplayAxis axis);
