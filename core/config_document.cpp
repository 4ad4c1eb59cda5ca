#include "core/config_document.h"
#include <wchar.h>
#include <strsafe.h>

// The device's component runs in our process or in a local server; either will do.
#define DOM_CLS_CONTEXT (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER)

// Any regular file at the path is the user's settings, whatever its archive, read-only, hidden
// or system bits: a file copied from a card or marked read-only must not be thrown away and
// rebuilt. A directory there is not a settings file, and a file far larger than any settings
// file is not parsed: on the Today screen's thread that would cost seconds and megabytes.
static BOOL IsConfigFilePresent(const WCHAR *pszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pszPath, GetFileExInfoStandard, &data))
        return FALSE;
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        && data.nFileSizeHigh == 0 && data.nFileSizeLow <= CONFIG_MAX_BYTES;
}

static BOOL IsHeldByAnother(const WCHAR *pszPath)
{
    HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(hFile);
    return FALSE;
}

ConfigDocument::ConfigDocument()
    : m_pXMLDoc(NULL), m_pClassObject(NULL)
{
    ZeroMemory(m_szPath, sizeof(m_szPath));
}

// A class object still held here is not released: by the time a static object goes, the
// component runtime and the server may be gone. Its holder lets go of it before.
ConfigDocument::~ConfigDocument()
{
    ReleaseXMLDOMDocument();
}

HRESULT ConfigDocument::HoldClassObject()
{
    if (m_pClassObject)
        return S_OK;
    HRESULT hr = CoGetClassObject(CLSID_DOMDocument, DOM_CLS_CONTEXT, NULL, IID_IClassFactory,
                                  (void **)&m_pClassObject);
    if (FAILED(hr))
        m_pClassObject = NULL;
    return hr;
}

void ConfigDocument::ReleaseClassObject()
{
    if (m_pClassObject)
    {
        m_pClassObject->Release();
        m_pClassObject = NULL;
    }
}

HRESULT ConfigDocument::InitXMLDOMDocument()
{
    ReleaseXMLDOMDocument();
    if (m_pClassObject)
        return m_pClassObject->CreateInstance(NULL, IID_IXMLDOMDocument, (void **)&m_pXMLDoc);
    return CoCreateInstance(CLSID_DOMDocument, NULL, DOM_CLS_CONTEXT, IID_IXMLDOMDocument,
                            (void **)&m_pXMLDoc);
}

// The component takes a file's path as a string variant, allocated for the call; the caller
// frees its string right after.
BOOL MakePathVariant(const WCHAR *pszPath, VARIANT *pVar)
{
    VariantInit(pVar);
    pVar->vt = VT_BSTR;
    pVar->bstrVal = SysAllocString(pszPath);
    return pVar->bstrVal != NULL;
}

HRESULT ConfigDocument::LoadXMLFile(const WCHAR *pszPath)
{
    if (!pszPath || !pszPath[0] || lstrlenW(pszPath) >= MAX_PATH || !m_pXMLDoc)
        return S_FALSE;
    if (!IsConfigFilePresent(pszPath))
        return S_FALSE;

    VARIANT varPath;
    if (!MakePathVariant(pszPath, &varPath))
        return E_OUTOFMEMORY;
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    HRESULT hr = m_pXMLDoc->load(varPath, &bLoaded);
    // The other module's save may be putting its new file in place this very moment, holding it
    // for a few milliseconds: read the new file then rather than find no settings. A hold may be
    // over by the time the failure is seen, so one more load is made whatever is found, and more
    // while the file is held.
    for (int i = 0; bLoaded != VARIANT_TRUE && i < REPLACE_TRIES; i++)
    {
        if (!IsHeldByAnother(pszPath) && i >= LOAD_RETRIES_UNHELD)
            break;
        Sleep(REPLACE_PAUSE_MS);
        hr = m_pXMLDoc->load(varPath, &bLoaded);
    }
    SysFreeString(varPath.bstrVal);

    if (hr >= 0 && bLoaded == VARIANT_TRUE)
        StringCchCopyW(m_szPath, ARRAYSIZE(m_szPath), pszPath);
    return hr;
}

HRESULT ConfigDocument::SelectNode(const WCHAR *pszXPath, IXMLDOMNode **ppNode)
{
    if (!m_pXMLDoc || !pszXPath || !ppNode)
        return S_FALSE;
    *ppNode = NULL;

    BSTR bstrXPath = SysAllocString(pszXPath);
    if (!bstrXPath)
        return E_OUTOFMEMORY;
    HRESULT hr = m_pXMLDoc->selectSingleNode(bstrXPath, ppNode);
    SysFreeString(bstrXPath);
    return hr;
}

// The first child named exactly pszChildName, whatever kind of node it is: LastStartTime is
// not StartTime.
HRESULT ConfigDocument::FindChildNode(IXMLDOMNode *pParent, const WCHAR *pszChildName, IXMLDOMNode **ppChild)
{
    if (!pParent || !pszChildName || !ppChild || !m_pXMLDoc)
        return S_FALSE;

    pParent->AddRef();
    VARIANT_BOOL bHasChildren = VARIANT_FALSE;
    HRESULT hr = pParent->hasChildNodes(&bHasChildren);
    if (FAILED(hr) || bHasChildren != VARIANT_TRUE)
    {
        pParent->Release();
        return hr;
    }

    IXMLDOMNodeList *pChildren = NULL;
    hr = pParent->get_childNodes(&pChildren);
    if (hr < 0 || !pChildren)
    {
        pParent->Release();
        return hr;
    }
    LONG nLength = 0;
    if (FAILED(pChildren->get_length(&nLength)))
        nLength = 0;

    for (LONG i = 0; i < nLength; i++)
    {
        IXMLDOMNode *pItem = NULL;
        hr = pChildren->get_item(i, &pItem);
        if (FAILED(hr) || !pItem)
        {
            if (pItem)
                pItem->Release();
            continue;
        }
        BSTR bstrName = NULL;
        hr = pItem->get_nodeName(&bstrName);
        if (FAILED(hr))
        {
            pItem->Release();
            continue;
        }
        BOOL bMatch = bstrName && wcscmp(bstrName, pszChildName) == 0;
        SysFreeString(bstrName);
        if (bMatch)
        {
            *ppChild = pItem;
            break;
        }
        pItem->Release();
    }

    pChildren->Release();
    pParent->Release();
    return hr;
}

HRESULT ConfigDocument::GetChildText(const WCHAR *pszParentXPath, const WCHAR *pszChildName, WCHAR **ppszText)
{
    if (!pszParentXPath || !pszChildName || !ppszText)
        return S_FALSE;
    *ppszText = NULL;

    IXMLDOMNode *pParent = NULL;
    HRESULT hr = SelectNode(pszParentXPath, &pParent);
    if (hr < 0 || !pParent)
        return hr;

    IXMLDOMNode *pChild = NULL;
    hr = FindChildNode(pParent, pszChildName, &pChild);
    if (hr >= 0 && pChild)
    {
        BSTR bstrText = NULL;
        hr = pChild->get_text(&bstrText);
        if (SUCCEEDED(hr))
        {
            UINT cch = SysStringLen(bstrText);
            WCHAR *pszText = (WCHAR *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (cch + 1) * sizeof(WCHAR));
            if (pszText)
            {
                if (cch)
                    CopyMemory(pszText, bstrText, cch * sizeof(WCHAR));
                *ppszText = pszText;
            }
            SysFreeString(bstrText);
        }
        pChild->Release();
    }
    pParent->Release();
    return hr;
}

void ConfigDocument::FreeText(WCHAR *pszText)
{
    if (pszText)
        HeapFree(GetProcessHeap(), 0, pszText);
}

void ConfigDocument::ReleaseXMLDOMDocument()
{
    if (m_pXMLDoc)
    {
        m_pXMLDoc->Release();
        m_pXMLDoc = NULL;
    }
}

BOOL GetModuleDirFilePath(HMODULE hModule, const WCHAR *pszFileName, WCHAR *pszPath)
{
    if (!pszFileName || !pszPath)
        return FALSE;
    pszPath[0] = 0;

    WCHAR szModule[MAX_PATH] = { 0 };
    DWORD cchModule = GetModuleFileNameW(hModule, szModule, MAX_PATH);
    if (cchModule == 0 || cchModule >= MAX_PATH)
        return FALSE;
    const WCHAR *pszLastSlash = wcsrchr(szModule, L'\\');
    if (!pszLastSlash)
        return FALSE;

    size_t cchDir = pszLastSlash - szModule + 1;
    CopyMemory(pszPath, szModule, cchDir * sizeof(WCHAR));
    pszPath[cchDir] = 0;
    // A cut path would name some other file: leave nothing rather than that.
    if (FAILED(StringCchCatW(pszPath, MAX_PATH, pszFileName)))
    {
        pszPath[0] = 0;
        return FALSE;
    }
    return TRUE;
}
