#pragma once
#include <windows.h>

// The layout scale of the main program: each designed length is shifted left by it
// (0 on a 96- or 131-dpi screen, 1 on a 192-dpi screen). Set by InitScale.
extern int g_nScaleShift;

// UlvoRes.dll (advice texts, month pictures at two densities, the item's icon) and, in the
// main program, the shell chores of a full-screen Pocket PC window. The library part lives in
// resource_library.cpp; the shell chores in resource_library_shell.cpp, which only the
// main program links, so the Today item imports no shell library.
class ResourceLibrary
{
public:
    ResourceLibrary();
    ~ResourceLibrary();

    int LoadResLibrary(const WCHAR *pszLibName);
    void FreeResLibrary();
    WCHAR *LoadResString(UINT nId);
    void FreeText(WCHAR *pszText);
    UINT FindPicture(UINT nImageId, int nShift, int *pnDrawnShift) const;
    int InitScale(HDC hdc);

    int CreateMenuBar(HWND hwndParent, HINSTANCE hInstance, UINT nMenuId);
    void SetFullScreen(HWND hWnd);
    static void ShowTaskBar();

    HWND m_hwndMenuBar;
    HMODULE m_hResModule;
};
