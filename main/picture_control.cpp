#include "main/picture_control.h"
#include "main/control_size.h"
#include <aygshell.h>

PictureControl::PictureControl()
    : m_hWnd(NULL), m_hWndParent(NULL), m_hInstance(NULL),
      m_x(0), m_y(0), m_nWidth(0), m_nHeight(0), m_hBitmap(NULL)
{
}

PictureControl::~PictureControl()
{
}

int PictureControl::Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, int x, int y,
                           DWORD dwExStyle, int nWidth, int nHeight)
{
    FillZeroSize(x, y, &nWidth, &nHeight);
    m_hWnd = CreateWindowExW(dwExStyle, L"STATIC", NULL, dwStyle, x, y, nWidth, nHeight,
                             hWndParent, NULL, hInstance, NULL);
    if (m_hWnd)
    {
        m_hWndParent = hWndParent;
        m_hInstance = hInstance;
        m_x = x;
        m_y = y;
        m_nWidth = nWidth;
        m_nHeight = nHeight;
    }
    return 0;
}

// The control hands back the bitmap it shows; it is ours to delete once replaced.
static void DeleteShownBitmap(HWND hWnd)
{
    HBITMAP hOld = (HBITMAP)SendMessageW(hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
    if (hOld)
        DeleteObject(hOld);
}

BOOL PictureControl::SetBitmap(HMODULE hModule, UINT nImageId)
{
    DeleteShownBitmap(m_hWnd);
    m_hBitmap = SHLoadImageResource(hModule, nImageId);
    return SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_hBitmap) != 0;
}

void PictureControl::ClearBitmap()
{
    DeleteShownBitmap(m_hWnd);
    m_hBitmap = NULL;
    SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, 0);
}

void PictureControl::Show(BOOL bShow)
{
    ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}
