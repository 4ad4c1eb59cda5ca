#include "main/tab_control.h"
#include "main/control_size.h"

// The platform's own meaning; the main window's tab control is created with it.
static const DWORD TAB_EXTRA_STYLE = 0x2;

TabControl::TabControl()
    : m_hWnd(NULL), m_hWndParent(NULL), m_hInstance(NULL)
{
}

TabControl::~TabControl()
{
}

BOOL TabControl::Prepare(HWND hWndParent, HINSTANCE hInstance)
{
    m_hWndParent = hWndParent;
    m_hInstance = hInstance;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_TAB_CLASSES;
    return InitCommonControlsEx(&icc);
}

int TabControl::Create(DWORD dwStyle, int x, int y, int nMode, int nWidth, int nHeight)
{
    FillZeroSize(x, y, &nWidth, &nHeight);
    m_hWnd = CreateWindowExW(0, WC_TABCONTROLW, NULL, dwStyle, x, y, nWidth, nHeight,
                             m_hWndParent, NULL, m_hInstance, NULL);
    if (!m_hWnd)
        return 0;
    DWORD dwExStyle = (DWORD)SendMessageW(m_hWnd, TCM_GETEXTENDEDSTYLE, 0, 0);
    if (nMode == TAB_MODE_EXTRA || nMode == TAB_MODE_MAIN)
        dwExStyle |= TAB_EXTRA_STYLE;
    SendMessageW(m_hWnd, TCM_SETEXTENDEDSTYLE, 0, dwExStyle);
    return 1;
}

LRESULT TabControl::InsertItem(int nIndex, TCITEMW *pItem)
{
    return SendMessageW(m_hWnd, TCM_INSERTITEMW, nIndex, (LPARAM)pItem);
}

int TabControl::GetCurSel()
{
    return (int)SendMessageW(m_hWnd, TCM_GETCURSEL, 0, 0);
}
