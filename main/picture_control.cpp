#include "main/picture_control.h"
#include "core/resource_library.h"
#include "main/control_size.h"
#include "main/start_phases.h"
#include "platform/display_density.h"
#include <aygshell.h>

PictureControl::PictureControl()
    : m_hWnd(NULL), m_hWndParent(NULL), m_hInstance(NULL),
      m_x(0), m_y(0), m_nWidth(0), m_nHeight(0), m_hBitmap(NULL),
      m_hShownModule(NULL), m_nShownId(0), m_nShownStretch(0)
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

// A picture drawn for a sparser screen, doubled nShift times with the platform's stretch, as
// the device doubles what a program unaware of the density draws; kept as it is when that
// cannot be done.
static HBITMAP Stretched(HBITMAP hbmDrawn, int nShift)
{
    BITMAP bm;
    if (!hbmDrawn || nShift <= 0 || !GetObjectW(hbmDrawn, sizeof(bm), &bm))
        return hbmDrawn;
    int cx = ScaleByShift(bm.bmWidth, nShift), cy = ScaleByShift(bm.bmHeight, nShift);
    HDC hdcScreen = GetDC(NULL);
    HDC hdcFrom = CreateCompatibleDC(hdcScreen), hdcTo = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = (hdcFrom && hdcTo) ? CreateCompatibleBitmap(hdcScreen, cx, cy) : NULL;
    if (hbm)
    {
        HGDIOBJ hOldFrom = SelectObject(hdcFrom, hbmDrawn), hOldTo = SelectObject(hdcTo, hbm);
        BOOL bDone = StretchBlt(hdcTo, 0, 0, cx, cy, hdcFrom, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        SelectObject(hdcFrom, hOldFrom);
        SelectObject(hdcTo, hOldTo);
        if (!bDone)
        {
            DeleteObject(hbm);
            hbm = NULL;
        }
    }
    if (hdcTo)
        DeleteDC(hdcTo);
    if (hdcFrom)
        DeleteDC(hdcFrom);
    ReleaseDC(NULL, hdcScreen);
    if (!hbm)
        return hbmDrawn;
    DeleteObject(hbmDrawn);
    return hbm;
}

// The picture drawn for the screen's density when the library has one; otherwise the one drawn
// for a sparser screen, stretched to the density. Every save and every new day rebuilds the
// pages: the picture the control shows already stays, as decoding it again would only cost time.
BOOL PictureControl::SetBitmap(const ResourceLibrary *pResLib, UINT nImageId)
{
    int nDrawnShift = 0;
    UINT nId = pResLib ? pResLib->FindPicture(nImageId, g_nScaleShift, &nDrawnShift) : nImageId;
    HINSTANCE hModule = pResLib ? pResLib->m_hResModule : NULL;
    int nStretch = g_nScaleShift - nDrawnShift;
    HBITMAP hShown = (HBITMAP)SendMessageW(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
    if (hShown && hShown == m_hBitmap && hModule == m_hShownModule && nId == m_nShownId
        && nStretch == m_nShownStretch)
        return TRUE;

    DeleteShownBitmap(m_hWnd);
    EnterStartPhase(START_PICTURE_DECODE);
    HBITMAP hbmDrawn = SHLoadImageResource(hModule, nId);
    EnterStartPhase(START_PICTURE);
    m_hBitmap = Stretched(hbmDrawn, nStretch);
    m_hShownModule = hModule;
    m_nShownId = nId;
    m_nShownStretch = nStretch;
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
