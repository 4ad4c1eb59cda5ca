#pragma once
#include <windows.h>

class ResourceLibrary;

// A "STATIC" child showing a picture of the resource library at the screen's density. The
// window goes with its parent; the object never destroys it.
class PictureControl
{
public:
    PictureControl();
    ~PictureControl();

    int Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, int x, int y, DWORD dwExStyle,
               int nWidth, int nHeight);
    BOOL SetBitmap(const ResourceLibrary *pResLib, UINT nImageId);
    void ClearBitmap();
    void Show(BOOL bShow);
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
    HWND m_hWndParent;
    HINSTANCE m_hInstance;
    int m_x;
    int m_y;
    int m_nWidth;
    int m_nHeight;
    HBITMAP m_hBitmap;
    // Where the bitmap shown came from: the same picture again is not decoded again.
    HINSTANCE m_hShownModule;
    UINT m_nShownId;
    int m_nShownStretch;
};
