// What only the main program does with config.xml: make a new one, change it and save it.
// The Today item reads and never writes, so none of this is linked into it.
#include "core/config_document.h"
#include <wchar.h>
#include <strsafe.h>
#include "platform/ce_compat.h"

// The written file takes the settings' place: in one step over the old file, or simply moved
// there when there is none yet.
BOOL ReplaceConfigFile(LPCWSTR pszFrom, LPCWSTR pszTo)
{
    if (GetFileAttributesW(pszTo) == INVALID_FILE_ATTRIBUTES)
        return MoveFileW(pszFrom, pszTo);
    return DeleteAndRenameFile(pszTo, pszFrom);
}

PFN_REPLACEFILE g_pfnReplaceConfigFile = ReplaceConfigFile;

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
