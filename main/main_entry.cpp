#include "main/main_window.h"

// The command line is not used: the program has no options.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    return MainRoutine(hInstance, nCmdShow);
}
