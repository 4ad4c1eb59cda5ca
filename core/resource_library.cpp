#include "core/resource_library.h"
#include "core/debug_log.h"

#define RES_STRING_CCH  1024    // the longest advice text is 1023 characters
#define SCALE_DPI       192     // the resolution at which designed lengths double

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

int ResourceLibrary::InitScale(HDC hdc)
{
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    g_nScaleShift = nDpi / SCALE_DPI;
    return nDpi;
}
