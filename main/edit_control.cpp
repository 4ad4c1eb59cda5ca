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

// A text box given the text it holds already keeps it as it is: the pages are rebuilt on every
// save and every new day, and a multi-line box lays its text out again (and scrolls back to its
// top) each time it is set.
static BOOL HoldsText(HWND hWnd, const WCHAR *pszText)
{
    int cch = lstrlenW(pszText);
    if (!hWnd || GetWindowTextLengthW(hWnd) != cch)
        return FALSE;
    WCHAR *pszNow = (WCHAR *)LocalAlloc(LMEM_FIXED, (cch + 1) * sizeof(WCHAR));
    if (!pszNow)
        return FALSE;
    BOOL bSame = GetWindowTextW(hWnd, pszNow, cch + 1) == cch && lstrcmpW(pszNow, pszText) == 0;
    LocalFree(pszNow);
    return bSame;
}

void EditControl::SetText(const WCHAR *pszText)
{
    if (pszText && !HoldsText(m_hWnd, pszText))
        SetWindowTextW(m_hWnd, pszText);
}

void EditControl::Show(BOOL bShow)
{
    ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}
