#include "today/item_state.h"

HINSTANCE g_hInstance = NULL;
HWND g_hWnd = NULL;
HICON g_hIcon = NULL;
BOOL g_bFirstDisplay = TRUE;
WCHAR g_szShowTxt[ITEM_TEXT_CCH];
WCHAR g_szXMLFilePath[MAX_PATH];
ConfigDocument g_ItemConfig;
ResourceLibrary g_ItemResLib;

// Read once per axis: the shell's process lives for months and the screen never changes density.
static int s_aDensity[2];

int ScaleToDisplay(int nLength, DisplayAxis axis)
{
    if (s_aDensity[axis] == 0)
        s_aDensity[axis] = ReadScreenDpi(axis);
    return ScaleToDpi(nLength, s_aDensity[axis]);
}
