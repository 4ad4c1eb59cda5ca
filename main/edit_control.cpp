#include "main/edit_control.h"
#include "main/control_size.h"

EditControl::EditControl()
    : m_hWndParent(NULL), m_hInstance(NULL), m_hWnd(NULL)
{
}

EditControl::~EditControl()
{
}

int EditControl::Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, DWORD dwExStyle,
                        int x, int y, int nWidth, int nHeight)
{
    FillZeroSize(x, y, &nWidth, &nHeight);
    m_hWnd = CreateWindowExW(dwExStyle, L"EDIT", NULL, dwStyle, x, y, nWidth, nHeight,
                             hWndParent, NULL, hInstance, NULL);
    if (!m_hWnd)
        return 0;
    m_hWndParent = hWndParent;
    m_hInstance = hInstance;
    return 1;
}

void EditControl::SetText(const WCHAR *pszText)
{
    if (pszText)
        SetWindowTextW(m_hWnd, pszText);
}

void EditControl::Show(BOOL bShow)
{
    ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}
