#include "today/item_state.h"

HINSTANCE g_hInstance = NULL;
HWND g_hWnd = NULL;
HICON g_hIcon = NULL;
BOOL g_bFirstDisplay = TRUE;
WCHAR g_szShowTxt[ITEM_TEXT_CCH];
WCHAR g_szXMLFilePath[MAX_PATH];
ConfigDocument g_ItemConfig;
ResourceLibrary g_ItemResLib;

static const int DESIGN_DPI = 96;

// Read once per axis: the shell's process lives for months and the screen never changes density.
static int s_aDensity[2];

int ScaleToDisplay(int nLength, DisplayAxis axis)
{
    if (s_aDensity[axis] == 0)
    {
        int nDensity = 0;
        HDC hdc = GetDC(NULL);
        if (hdc)
        {
            nDensity = GetDeviceCaps(hdc, axis == AXIS_HORIZONTAL ? LOGPIXELSX : LOGPIXELSY);
            ReleaseDC(NULL, hdc);
        }
        s_aDensity[axis] = nDensity > 0 ? nDensity : DESIGN_DPI;
    }
    int nMagnitude = nLength < 0 ? -nLength : nLength;
    int nScaled = (nMagnitude * s_aDensity[axis] + DESIGN_DPI / 2) / DESIGN_DPI;
    return nLength < 0 ? -nScaled : nScaled;
}
