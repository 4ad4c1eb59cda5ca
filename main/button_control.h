#pragma once
#include <windows.h>

// A "BUTTON" child used as a plain radio button or as a group box. The window goes with
// its parent; the object never destroys it.
class ButtonControl
{
public:
    ButtonControl();
    ~ButtonControl();

    int CreateRadio(HWND hWndParent, HINSTANCE hInstance, int nCtrlId, DWORD dwStyle, int x, int y,
                    const WCHAR *pszText, int nTextRight, DWORD dwExStyle, int nWidth, int nHeight);
    int CreateGroup(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, const WCHAR *pszText,
                    int x, int y, DWORD dwExStyle, int nWidth, int nHeight);
    void SetCheck(BOOL bCheck);
    BOOL IsChecked();
    HWND GetHwnd() const { return m_hWnd; }

private:
    void CreateButton(HWND hWndParent, HINSTANCE hInstance, int nCtrlId, DWORD dwStyle, int x, int y,
                      const WCHAR *pszText, DWORD dwExStyle, int nWidth, int nHeight);

    HWND m_hWnd;
    HWND m_hWndParent;
    HINSTANCE m_hInstance;
};
