#include "core/config_document.h"
#include <wchar.h>
#include <strsafe.h>
#include "platform/ce_compat.h"

// The device's component runs in our process or in a local server; either will do.
#define DOM_CLS_CONTEXT (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER)

PFN_REPLACEFILE g_pfnReplaceConfigFile = ReplaceFileInOneStep;

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

// pszPath with pszSuffix appended, into a MAX_PATH buffer; FALSE when it does not fit.
static BOOL PathWithSuffix(const WCHAR *pszPath, const WCHAR *pszSuffix, WCHAR *pszOut)
{
    pszOut[0] = 0;
    if (FAILED(StringCchCopyW(pszOut, MAX_PATH, pszPath)) || FAILED(StringCchCatW(pszOut, MAX_PATH, pszSuffix)))
    {
        pszOut[0] = 0;
        return FALSE;
    }
    return TRUE;
}

ConfigDocument::ConfigDocument()
    : m_pXMLDoc(NULL)
{
    ZeroMemory(m_szPath, sizeof(m_szPath));
}

ConfigDocument::~ConfigDocument()
{
    ReleaseXMLDOMDocument();
}

HRESULT ConfigDocument::InitXMLDOMDocument()
{
    ReleaseXMLDOMDocument();
    return CoCreateInstance(CLSID_DOMDocument, NULL, DOM_CLS_CONTEXT, IID_IXMLDOMDocument,
                            (void **)&m_pXMLDoc);
}

// The component takes a file's path as a string variant, allocated for the call; the caller
// frees its string right after.
static BOOL MakePathVariant(const WCHAR *pszPath, VARIANT *pVar)
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
    SysFreeString(varPath.bstrVal);

    if (hr >= 0 && bLoaded == VARIANT_TRUE)
        StringCchCopyW(m_szPath, ARRAYSIZE(m_szPath), pszPath);
    return hr;
}

HRESULT ConfigDocument::CreateXMLFile(const WCHAR *pszPath)
{
    if (!pszPath || !pszPath[0] || lstrlenW(pszPath) >= MAX_PATH || !m_pXMLDoc)
        return S_FALSE;

    BSTR bstrTarget = SysAllocString(CONFIG_DECL_TARGET);
    BSTR bstrData = SysAllocString(CONFIG_DECL_DATA);
    IXMLDOMProcessingInstruction *pDeclaration = NULL;
    HRESULT hr = E_OUTOFMEMORY;
    if (bstrTarget && bstrData)
        hr = m_pXMLDoc->createProcessingInstruction(bstrTarget, bstrData, &pDeclaration);
    SysFreeString(bstrTarget);
    SysFreeString(bstrData);
    if (FAILED(hr) || !pDeclaration)
        return hr;

    IXMLDOMNode *pAppended = NULL;
    hr = m_pXMLDoc->appendChild(pDeclaration, &pAppended);
    if (SUCCEEDED(hr) && pAppended)
        StringCchCopyW(m_szPath, ARRAYSIZE(m_szPath), pszPath);
    if (pAppended)
        pAppended->Release();
    pDeclaration->Release();
    return hr;
}

// The other module reads the file now and then, for a few microseconds each time; while it
// has the file open the replace is refused. Try again for a moment before calling it failed:
// a reader never holds the file for long; a file that stays locked still fails.
static BOOL ReplaceWithRetry(const WCHAR *pszFrom, const WCHAR *pszTo)
{
    for (int i = 0; ; i++)
    {
        if (g_pfnReplaceConfigFile(pszFrom, pszTo))
            return TRUE;
        DWORD dwError = GetLastError();
        if ((dwError != ERROR_ACCESS_DENIED && dwError != ERROR_SHARING_VIOLATION) || i + 1 >= REPLACE_TRIES)
        {
            SetLastError(dwError);
            return FALSE;
        }
        Sleep(REPLACE_PAUSE_MS);
    }
}

static HRESULT LastErrorStatus()
{
    DWORD dwError = GetLastError();
    return dwError ? HRESULT_FROM_WIN32(dwError) : E_FAIL;
}

// The whole document goes to one fixed file beside the settings first and then takes their
// place in one step, so a crash or a full card leaves the old file or the new one, whole, and
// never more than that one spare file. The replacement keeps the hidden and system marks the
// user gave the file; a read-only file is the user's "do not touch" and is not replaced.
HRESULT ConfigDocument::SaveXMLFile()
{
    if (!m_pXMLDoc || !m_szPath[0])
        return S_FALSE;

    DWORD dwOld = GetFileAttributesW(m_szPath);
    if (dwOld != INVALID_FILE_ATTRIBUTES && (dwOld & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    WCHAR szTemp[MAX_PATH];
    if (!PathWithSuffix(m_szPath, CONFIG_TEMP_SUFFIX, szTemp))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    // What an interrupted save left behind, marks and all, would refuse to be written over.
    RemoveConfigSpare(m_szPath);

    VARIANT varPath;
    if (!MakePathVariant(szTemp, &varPath))
        return E_OUTOFMEMORY;
    HRESULT hr = m_pXMLDoc->save(varPath);
    SysFreeString(varPath.bstrVal);

    const DWORD dwKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (hr == S_OK && dwOld != INVALID_FILE_ATTRIBUTES && (dwOld & dwKept)
        && !SetFileAttributesW(szTemp, (dwOld & dwKept) | FILE_ATTRIBUTE_ARCHIVE))
        hr = LastErrorStatus();
    if (hr == S_OK && !ReplaceWithRetry(szTemp, m_szPath))
        hr = LastErrorStatus();
    if (hr != S_OK)
        RemoveConfigSpare(m_szPath);
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

HRESULT ConfigDocument::SetNodeText(IXMLDOMNode *pNode, const WCHAR *pszText)
{
    if (!pNode || !pszText)
        return S_FALSE;

    BSTR bstrText = SysAllocString(pszText);
    if (!bstrText)
        return E_OUTOFMEMORY;
    pNode->AddRef();
    HRESULT hr = pNode->put_text(bstrText);
    pNode->Release();
    SysFreeString(bstrText);
    return hr;
}

HRESULT ConfigDocument::AppendElement(const WCHAR *pszName, const WCHAR *pszText, IXMLDOMNode **ppNode)
{
    if (!pszName || !pszText || !m_pXMLDoc)
        return S_FALSE;
    return AppendElementTo(m_pXMLDoc, pszName, pszText, ppNode);
}

HRESULT ConfigDocument::AppendChildElement(IXMLDOMNode *pParent, const WCHAR *pszName, const WCHAR *pszText,
                                           IXMLDOMNode **ppNode)
{
    if (!pParent || !pszName || !pszText || !m_pXMLDoc)
        return S_FALSE;
    pParent->AddRef();
    HRESULT hr = AppendElementTo(pParent, pszName, pszText, ppNode);
    pParent->Release();
    return hr;
}

HRESULT ConfigDocument::AppendElementTo(IXMLDOMNode *pParent, const WCHAR *pszName, const WCHAR *pszText,
                                        IXMLDOMNode **ppNode)
{
    if (ppNode)
        *ppNode = NULL;

    BSTR bstrName = SysAllocString(pszName);
    if (!bstrName)
        return E_OUTOFMEMORY;
    IXMLDOMElement *pElement = NULL;
    HRESULT hr = m_pXMLDoc->createElement(bstrName, &pElement);
    SysFreeString(bstrName);
    if (FAILED(hr))
        return hr;
    if (!pElement)
        return E_FAIL;

    // A text the element cannot take leaves it empty; the append still decides the result.
    BSTR bstrText = SysAllocString(pszText);
    if (bstrText)
    {
        pElement->put_text(bstrText);
        SysFreeString(bstrText);
    }

    IXMLDOMNode *pAppended = NULL;
    hr = pParent->appendChild(pElement, &pAppended);
    pElement->Release();
    if (ppNode)
        *ppNode = pAppended;
    else if (pAppended)
        pAppended->Release();
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

void RemoveConfigSpare(const WCHAR *pszPath)
{
    WCHAR szTemp[MAX_PATH];
    if (!pszPath || !PathWithSuffix(pszPath, CONFIG_TEMP_SUFFIX, szTemp))
        return;
    SetFileAttributesW(szTemp, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(szTemp);
}

BOOL KeepConfigCopy(const WCHAR *pszPath)
{
    WCHAR szCopy[MAX_PATH];
    if (!pszPath || !PathWithSuffix(pszPath, CONFIG_BACKUP_SUFFIX, szCopy))
        return FALSE;
    SetFileAttributesW(szCopy, FILE_ATTRIBUTE_NORMAL);
    return CopyFileW(pszPath, szCopy, FALSE);
}

HRESULT CreateNewConfigFile(ConfigDocument *pConfig, const WCHAR *pszPath)
{
    if (!pConfig)
        return S_FALSE;
    HRESULT hr = pConfig->CreateXMLFile(pszPath);
    if (hr != S_OK)
        return hr;

    IXMLDOMNode *pRoot = NULL;
    hr = pConfig->AppendElement(CONFIG_ROOT, L"", &pRoot);
    if (pRoot)
        pRoot->Release();
    if (hr != S_OK)
        return hr;
    return pConfig->SaveXMLFile();
}
