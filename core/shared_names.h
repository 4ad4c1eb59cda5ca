#pragma once
#include <windows.h>

// What the main program and the Today item agree on across their two processes.
// Fixed numbers above WM_USER, never registered: both sides are built from this header.
#define MYMSG_MAIN_REFRESH 0x1400
#define MYMSG_ULVO_REFRESH 0x1401

// The item publishes its window here; the main program reads it to ask for a refresh.
#define ULVO_REG_KEY       L"SOFTWARE\\microsoft\\today\\items\\Ulvo"
#define ULVO_REG_HWND      L"hWnd"

#define CONFIG_FILE_NAME   L"config.xml"
#define RES_LIBRARY_NAME   L"UlvoRes.dll"
#define MAIN_PROGRAM_NAME  L"Main.exe"

// config.xml's elements.
#define CONFIG_ROOT        L"CONFIG"
#define CONFIG_START_TIME  L"StartTime"
#define CONFIG_CALC_METHOD L"CalcMethod"
#define CALC_METHOD_365    L"1"
#define CALC_METHOD_280    L"2"
