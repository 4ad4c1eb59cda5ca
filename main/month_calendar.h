#pragma once
#include <windows.h>

// The platform month calendar ("SysMonthCal32") of the settings dialog. The window goes
// with its parent; the object never destroys it.
class MonthCalendar
{
public:
    MonthCalendar();
    ~MonthCalendar();

    BOOL Prepare(HWND hWndParent, HINSTANCE hInstance);
    int Create(DWORD dwStyle, int x, int y, int nWidth, int nHeight, COLORREF crMonthBk);
    LRESULT GetCurSel(SYSTEMTIME *pst);
    BOOL SetCurSel(const SYSTEMTIME *pst);
    HWND GetHwnd() const { return m_hWnd; }
    // The calendar's size as created: right and bottom, since left and top stay 0.
    int GetWidth() const { return m_rc.right; }
    int GetHeight() const { return m_rc.bottom; }

private:
    HWND m_hWnd;
    HWND m_hWndParent;
    HINSTANCE m_hInstance;
    RECT m_rc;
};
