#include "core/resource_library.h"
#include "core/debug_log.h"
#include "resources/ulvores_ids.h"

#define RES_STRING_CCH  1024    // the longest advice text is 1023 characters
#define SCALE_DPI       192     // the resolution at which designed lengths double
#define PICTURE_SHIFT_HIGH (ULVO_PICTURE_DPI_HIGH / SCALE_DPI)  // the shift the denser pictures are drawn for

int g_nScaleShift = 0;

ResourceLibrary::ResourceLibrary()
    : m_hwndMenuBar(NULL), m_hResModule(NULL)
{
}

// The owner unloads the library before it lets go of the object.
ResourceLibrary::~ResourceLibrary()
{
}

// A failed load leaves no library, even when one was loaded before; that one is not
// unloaded here.
int ResourceLibrary::LoadResLibrary(const WCHAR *pszLibName)
{
    if (!pszLibName)
        return 0;
    m_hResModule = LoadLibraryW(pszLibName);
    if (!m_hResModule)
    {
        DebugLog(LOG_SRC_RESOURCE, LOG_DEBUG, L"GetResource LoadLibrary errorcode = %d", GetLastError());
        return 0;
    }
    return 1;
}

void ResourceLibrary::FreeResLibrary()
{
    if (!m_hResModule)
        return;
    FreeLibrary(m_hResModule);
    m_hResModule = NULL;
}

// A missing or empty string gives NULL and keeps nothing allocated.
WCHAR *ResourceLibrary::LoadResString(UINT nId)
{
    if (!m_hResModule)
        return NULL;
    WCHAR *pszText = (WCHAR *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, RES_STRING_CCH * sizeof(WCHAR));
    if (!pszText)
        return NULL;
    if (LoadStringW(m_hResModule, nId, pszText, RES_STRING_CCH) > 0)
        return pszText;
    HeapFree(GetProcessHeap(), 0, pszText);
    return NULL;
}

void ResourceLibrary::FreeText(WCHAR *pszText)
{
    if (pszText)
        HeapFree(GetProcessHeap(), 0, pszText);
}

// The month picture for a screen whose layout lengths are shifted by nShift: the one drawn for
// 192 dpi when the screen is that dense and the library has it, else the 96-dpi one. A library
// built before the denser pictures lacks them. *pnDrawnShift is the shift the picture was drawn
// for, which falls short of nShift where the caller has to stretch it.
UINT ResourceLibrary::FindPicture(UINT nImageId, int nShift, int *pnDrawnShift) const
{
    *pnDrawnShift = 0;
    if (nShift < PICTURE_SHIFT_HIGH || nImageId < IDB_MONTH_FIRST || nImageId > IDB_MONTH_LAST || !m_hResModule)
        return nImageId;
    UINT nHighId = nImageId - IDB_MONTH_FIRST + IDB_MONTH_FIRST_192;
    if (!FindResourceW(m_hResModule, MAKEINTRESOURCEW(nHighId), ULVO_PICTURE_TYPE))
        return nImageId;
    *pnDrawnShift = PICTURE_SHIFT_HIGH;
    return nHighId;
}

int ResourceLibrary::InitScale(HDC hdc)
{
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    g_nScaleShift = nDpi / SCALE_DPI;
    return nDpi;
}
