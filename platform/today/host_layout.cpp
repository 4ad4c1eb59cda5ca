#include "platform/today/host_layout.h"
#include "platform/display_density.h"

int ScaleForScreen(int n96)
{
    static int s_nDpi = 0;
    if (s_nDpi == 0)
        s_nDpi = ReadScreenDpi(AXIS_VERTICAL);
    return ScaleToDpi(n96, s_nDpi);
}
