#pragma once
#include <windows.h>

// An "EDIT" child showing one of the program's texts. The window goes with its parent;
// the object never destroys it.
class EditControl
{
public:
    EditControl();
    ~EditControl();

    int Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, DWORD dwExStyle,
               int x, int y, int nWidth, int nHeight);
    void SetText(const WCHAR *pszText);
    void Show(BOOL bShow);
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWndParent;
    HINSTANCE m_hInstance;
    HWND m_hWnd;
};
