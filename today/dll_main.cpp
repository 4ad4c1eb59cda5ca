#include "today/item_init.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        ItemProcessAttach(hInstance);
        break;
    case DLL_PROCESS_DETACH:
        ItemProcessDetach();
        break;
    }
    return TRUE;
}
