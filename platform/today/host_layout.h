#pragma once
#include <windows.h>

// Screen sizes of the two kinds of Pocket PC the stand-in imitates.
#define SCREEN_CX_NORMAL    240
#define SCREEN_CY_NORMAL    320
#define SCREEN_CX_HIDPI     480
#define SCREEN_CY_HIDPI     640

// Designed at 96 dpi and scaled to the screen's density.
#define TASKBAR_CY_96       26
#define TASKBAR_FONT_CY_96  12

// The device's shell asks every item whether it changed this often.
#define ITEM_POLL_MS        2000
#define ITEM_POLL_TIMER     1

// A length designed at 96 dpi, in pixels of this screen.
int ScaleForScreen(int n96);
