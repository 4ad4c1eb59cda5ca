#include "platform/aygshell/shell_metrics.h"
#include "platform/display_density.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

int ScaleToScreen(int nDesigned)
{
    return ScaleToDpi(nDesigned, ReadScreenDpi(AXIS_VERTICAL));
}

HINSTANCE ShellInstance()
{
    return (HINSTANCE)&__ImageBase;
}
