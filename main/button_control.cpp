#include "main/button_control.h"
#include "main/control_size.h"

ButtonControl::ButtonControl()
    : m_hWnd(NULL), m_hWndParent(NULL), m_hInstance(NULL)
{
}

ButtonControl::~ButtonControl()
{
}

void ButtonControl::CreateButton(HWND hWndParent, HINSTANCE hInstance, int nCtrlId, DWORD dwStyle,
                                 int x, int y, const WCHAR *pszText, DWORD dwExStyle,
                                 int nWidth, int nHeight)
{
    FillZeroSize(x, y, &nWidth, &nHeight);
    m_hWnd = CreateWindowExW(dwExStyle, L"BUTTON", NULL, dwStyle, x, y, nWidth, nHeight,
                             hWndParent, (HMENU)(INT_PTR)nCtrlId, hInstance, NULL);
    if (m_hWnd == NULL)
        return;
    m_hWndParent = hWndParent;
    m_hInstance = hInstance;
    if (pszText != NULL)
        SetWindowTextW(m_hWnd, pszText);
}

int ButtonControl::CreateRadio(HWND hWndParent, HINSTANCE hInstance, int nCtrlId, DWORD dwStyle,
                               int x, int y, const WCHAR *pszText, int nTextRight, DWORD dwExStyle,
                               int nWidth, int nHeight)
{
    // A plain radio button: the dialog sets the marks itself.
    dwStyle |= BS_RADIOBUTTON;
    if (nTextRight == 0)
        dwStyle |= BS_LEFTTEXT;
    CreateButton(hWndParent, hInstance, nCtrlId, dwStyle, x, y, pszText, dwExStyle, nWidth, nHeight);
    return 0;
}

int ButtonControl::CreateGroup(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle,
                               const WCHAR *pszText, int x, int y, DWORD dwExStyle,
                               int nWidth, int nHeight)
{
    CreateButton(hWndParent, hInstance, 0, dwStyle | BS_GROUPBOX, x, y, pszText, dwExStyle,
                 nWidth, nHeight);
    return 0;
}

void ButtonControl::SetCheck(BOOL bCheck)
{
    SendMessageW(m_hWnd, BM_SETCHECK, bCheck ? BST_CHECKED : BST_UNCHECKED, 0);
}

BOOL ButtonControl::IsChecked()
{
    return SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
