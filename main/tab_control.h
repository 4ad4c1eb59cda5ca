#pragma once
#include <windows.h>
#include <commctrl.h>

// Mode in which the extended style bit 0x2 is added when the tab control is created.
#define TAB_MODE_PLAIN   0
#define TAB_MODE_EXTRA   1
#define TAB_MODE_MAIN    2

// The platform tab control ("SysTabControl32") that holds the main window's pages.
// The window goes with its parent; the object never destroys it.
class TabControl
{
public:
    TabControl();
    ~TabControl();

    BOOL Prepare(HWND hWndParent, HINSTANCE hInstance);
    int Create(DWORD dwStyle, int x, int y, int nMode, int nWidth, int nHeight);
    LRESULT InsertItem(int nIndex, TCITEMW *pItem);
    int GetCurSel();
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
    HWND m_hWndParent;
    HINSTANCE m_hInstance;
};
