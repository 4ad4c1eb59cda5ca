#include "main/month_calendar.h"
#include <commctrl.h>
#include "main/control_size.h"

MonthCalendar::MonthCalendar()
    : m_hWnd(NULL), m_hWndParent(NULL), m_hInstance(NULL)
{
    SetRectEmpty(&m_rc);
}

MonthCalendar::~MonthCalendar()
{
}

BOOL MonthCalendar::Prepare(HWND hWndParent, HINSTANCE hInstance)
{
    m_hWndParent = hWndParent;
    m_hInstance = hInstance;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_DATE_CLASSES;
    return InitCommonControlsEx(&icc);
}

int MonthCalendar::Create(DWORD dwStyle, int x, int y, int nWidth, int nHeight, COLORREF crMonthBk)
{
    FillZeroSize(x, y, &nWidth, &nHeight);
    m_hWnd = CreateWindowExW(0, MONTHCAL_CLASSW, NULL, dwStyle, x, y, nWidth, nHeight,
                             m_hWndParent, NULL, m_hInstance, NULL);
    if (m_hWnd == NULL)
        return 0;
    SetRect(&m_rc, 0, 0, nWidth, nHeight);

    // The calendar draws nothing useful below its minimum size (which grows with the font
    // and with week numbers): take the whole minimum whenever either side falls short.
    RECT rcMin = { 0, 0, 0, 0 };
    SendMessageW(m_hWnd, MCM_GETMINREQRECT, 0, (LPARAM)&rcMin);
    if ((UINT)(rcMin.right - rcMin.left) > (UINT)nWidth || (UINT)(rcMin.bottom - rcMin.top) > (UINT)nHeight)
    {
        m_rc.right = rcMin.right;
        m_rc.bottom = rcMin.bottom;
        MoveWindow(m_hWnd, x, y, rcMin.right - rcMin.left, rcMin.bottom - rcMin.top, FALSE);
    }
    if (crMonthBk != 0)
        SendMessageW(m_hWnd, MCM_SETCOLOR, MCSC_MONTHBK, (LPARAM)crMonthBk);
    return 1;
}

LRESULT MonthCalendar::GetCurSel(SYSTEMTIME *pst)
{
    if (pst == NULL)
        return 0;
    return SendMessageW(m_hWnd, MCM_GETCURSEL, 0, (LPARAM)pst);
}

BOOL MonthCalendar::SetCurSel(const SYSTEMTIME *pst)
{
    if (pst == NULL)
        return FALSE;
    return (BOOL)SendMessageW(m_hWnd, MCM_SETCURSEL, 0, (LPARAM)pst);
}
