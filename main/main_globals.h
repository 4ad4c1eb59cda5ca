#pragma once
#include <windows.h>

class ResourceLibrary;
class ConfigDocument;
class TabControl;

// The main program's objects, each made once at start-up.
extern WCHAR g_szXMLFilePath[MAX_PATH];    // config.xml beside Main.exe
extern HINSTANCE g_hInstance;       // every resource, menu bar, dialog and control
extern HWND g_hWndMain;             // the target of MYMSG_MAIN_REFRESH
extern ResourceLibrary *g_pResLib;  // UlvoRes.dll and the shell chores; null if it could not be made
extern ConfigDocument *g_pConfig;   // config.xml; null if it could not be made
extern TabControl *g_pTab;          // the pages; null without a tab control
