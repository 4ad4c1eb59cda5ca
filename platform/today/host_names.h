#pragma once
// Names by which other processes (the main program, the tests, the run script's helper) find
// the pieces of the Today screen stand-in.

// The shell's top-level window, covering the whole screen, as the device names its desktop.
#define HOST_FRAME_CLASS        L"DesktopExplorerWindow"
// The Today screen itself: the parent of every item window.
#define HOST_TODAY_CLASS        L"TodayScreen"

// Where the device keeps its Today items, one subkey per item.
#define TODAY_ITEMS_KEY         L"Software\\Microsoft\\Today\\Items"
#define TODAY_ITEM_DLL          L"DLL"
#define TODAY_ITEM_TYPE         L"Type"
#define TODAY_ITEM_ENABLED      L"Enabled"
#define TODAY_ITEM_ORDER        L"Order"
#define TODAY_ITEM_OPTIONS      L"Options"
#define TODAY_ITEM_FLAGS        L"Flags"
