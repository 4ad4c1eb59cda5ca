#include "platform/today/host_layout.h"

int ScaleForScreen(int n96)
{
    static int s_nDpi = 0;
    if (s_nDpi == 0)
    {
        HDC hdc = GetDC(NULL);
        s_nDpi = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
        if (hdc)
            ReleaseDC(NULL, hdc);
        if (s_nDpi <= 0)
            s_nDpi = 96;
    }
    return MulDiv(n96, s_nDpi, 96);
}
