#include "platform/aygshell/shell_metrics.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

int ScaleToScreen(int nDesigned)
{
    int nDpi = SHELL_DESIGN_DPI;
    HDC hdc = GetDC(NULL);
    if (hdc)
    {
        nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
        ReleaseDC(NULL, hdc);
    }
    return MulDiv(nDesigned, nDpi, SHELL_DESIGN_DPI);
}

HINSTANCE ShellInstance()
{
    return (HINSTANCE)&__ImageBase;
}
