#include "platform/xmldom/dom_core.h"
#include "platform/xmldom/dom_leaf_nodes.h"
#include "platform/xmldom/dom_node_list.h"
#include "platform/xmldom/dom_document.h"
#include "platform/xmldom/xml_validation.h"

LONG g_nXmlDomLiveObjects = 0;

const IID IID_XmlDomNodeCore =
    { 0x6c1f3b52, 0x0d7e, 0x4a39, { 0x9b, 0x51, 0x2e, 0x8c, 0x47, 0x1a, 0xd0, 0x63 } };

static const WCHAR TEXT_NODE_NAME[] = L"#text";
static const WCHAR COMMENT_NODE_NAME[] = L"#comment";
static const WCHAR CDATA_NODE_NAME[] = L"#cdata-section";
static const WCHAR DOCUMENT_NODE_NAME[] = L"#document";

void *XmlDomAlloc(size_t cb)
{
    return HeapAlloc(GetProcessHeap(), 0, cb);
}

void XmlDomFree(void *p)
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}

WCHAR *XmlDomDupString(const WCHAR *psz, size_t cch)
{
    WCHAR *pszCopy = (WCHAR *)XmlDomAlloc((cch + 1) * sizeof(WCHAR));
    if (!pszCopy)
        return NULL;
    if (cch)
        CopyMemory(pszCopy, psz, cch * sizeof(WCHAR));
    pszCopy[cch] = 0;
    return pszCopy;
}

BOOL XmlSameAsciiNoCase(const char *p, size_t cch, const char *pszLower)
{
    size_t i = 0;
    for (; i < cch && pszLower[i]; i++)
    {
        char ch = (p[i] >= 'A' && p[i] <= 'Z') ? (char)(p[i] - 'A' + 'a') : p[i];
        if (ch != pszLower[i])
            return FALSE;
    }
    return i == cch && pszLower[i] == 0;
}

static BOOL SameChars(const WCHAR *psz1, const WCHAR *psz2, size_t cch)
{
    for (size_t i = 0; i < cch; i++)
    {
        if (psz1[i] != psz2[i])
            return FALSE;
    }
    return TRUE;
}

static BOOL IsBlank(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

DomCore *DomCreateNode(DOMNodeType nType)
{
    switch (nType)
    {
    case NODE_ELEMENT:
    {
        DomElement *pNode = new DomElement();
        return pNode ? &pNode->m_core : NULL;
    }
    case NODE_TEXT:
    case NODE_CDATA_SECTION:
    case NODE_COMMENT:
    {
        DomCharData *pNode = new DomCharData(nType);
        return pNode ? &pNode->m_core : NULL;
    }
    case NODE_PROCESSING_INSTRUCTION:
    {
        DomInstruction *pNode = new DomInstruction();
        return pNode ? &pNode->m_core : NULL;
    }
    case NODE_DOCUMENT:
    {
        DomDocument *pNode = new DomDocument();
        return pNode ? &pNode->m_core : NULL;
    }
    default:
        return NULL;
    }
}

DomCore::DomCore(DOMNodeType nType, IXMLDOMNode *pItf)
    : m_nRef(1), m_nType(nType), m_pItf(pItf), m_pszName(NULL), m_pszValue(NULL),
      m_pFirstAttr(NULL), m_pLastAttr(NULL), m_pParent(NULL), m_pFirst(NULL), m_pLast(NULL),
      m_pNext(NULL), m_pPrev(NULL), m_nChildren(0), m_nVersion(0)
{
    InterlockedIncrement(&g_nXmlDomLiveObjects);
}

DomCore::~DomCore()
{
    RemoveChildren();
    XmlDomAttr *pAttr = m_pFirstAttr;
    while (pAttr)
    {
        XmlDomAttr *pNext = pAttr->pNext;
        XmlDomFree(pAttr->pszName);
        XmlDomFree(pAttr->pszValue);
        XmlDomFree(pAttr);
        pAttr = pNext;
    }
    XmlDomFree(m_pszName);
    XmlDomFree(m_pszValue);
    InterlockedDecrement(&g_nXmlDomLiveObjects);
}

DomCore *DomCore::Of(IUnknown *pUnk)
{
    void *pCore = NULL;
    if (!pUnk || FAILED(pUnk->QueryInterface(IID_XmlDomNodeCore, &pCore)))
        return NULL;
    return (DomCore *)pCore;
}

BOOL DomCore::SetName(const WCHAR *psz, size_t cch)
{
    WCHAR *pszNew = XmlDomDupString(psz, cch);
    if (!pszNew)
        return FALSE;
    XmlDomFree(m_pszName);
    m_pszName = pszNew;
    return TRUE;
}

BOOL DomCore::SetValue(const WCHAR *psz, size_t cch)
{
    WCHAR *pszNew = XmlDomDupString(psz, cch);
    if (!pszNew)
        return FALSE;
    XmlDomFree(m_pszValue);
    m_pszValue = pszNew;
    return TRUE;
}

BOOL DomCore::AddAttr(const WCHAR *pszName, size_t cchName, const WCHAR *pszValue, size_t cchValue)
{
    XmlDomAttr *pAttr = (XmlDomAttr *)XmlDomAlloc(sizeof(XmlDomAttr));
    if (!pAttr)
        return FALSE;
    pAttr->pszName = XmlDomDupString(pszName, cchName);
    pAttr->pszValue = XmlDomDupString(pszValue, cchValue);
    pAttr->pNext = NULL;
    if (!pAttr->pszName || !pAttr->pszValue)
    {
        XmlDomFree(pAttr->pszName);
        XmlDomFree(pAttr->pszValue);
        XmlDomFree(pAttr);
        return FALSE;
    }
    if (m_pLastAttr)
        m_pLastAttr->pNext = pAttr;
    else
        m_pFirstAttr = pAttr;
    m_pLastAttr = pAttr;
    return TRUE;
}

DomCore *DomCore::DocumentElement()
{
    for (DomCore *p = m_pFirst; p; p = p->m_pNext)
    {
        if (p->m_nType == NODE_ELEMENT)
            return p;
    }
    return NULL;
}

HRESULT DomCore::AppendChild(DomCore *pChild)
{
    if (m_nType != NODE_ELEMENT && m_nType != NODE_DOCUMENT)
        return E_FAIL;
    if (pChild->m_nType == NODE_DOCUMENT)
        return E_FAIL;
    for (DomCore *p = this; p; p = p->m_pParent)
    {
        if (p == pChild)
            return E_FAIL;
    }
    if (m_nType == NODE_DOCUMENT)
    {
        // A document holds one element, and no text of its own.
        if (pChild->m_nType == NODE_TEXT || pChild->m_nType == NODE_CDATA_SECTION)
            return E_FAIL;
        DomCore *pRoot = DocumentElement();
        if (pChild->m_nType == NODE_ELEMENT && pRoot && pRoot != pChild)
            return E_FAIL;
    }

    pChild->AddRef();
    if (pChild->m_pParent)
        pChild->m_pParent->RemoveChild(pChild);
    pChild->m_pParent = this;
    pChild->m_pPrev = m_pLast;
    pChild->m_pNext = NULL;
    if (m_pLast)
        m_pLast->m_pNext = pChild;
    else
        m_pFirst = pChild;
    m_pLast = pChild;
    m_nChildren++;
    m_nVersion++;
    return S_OK;
}

void DomCore::RemoveChild(DomCore *pChild)
{
    if (pChild->m_pPrev)
        pChild->m_pPrev->m_pNext = pChild->m_pNext;
    else
        m_pFirst = pChild->m_pNext;
    if (pChild->m_pNext)
        pChild->m_pNext->m_pPrev = pChild->m_pPrev;
    else
        m_pLast = pChild->m_pPrev;
    pChild->m_pParent = NULL;
    pChild->m_pNext = NULL;
    pChild->m_pPrev = NULL;
    m_nChildren--;
    m_nVersion++;
    pChild->m_pItf->Release();
}

void DomCore::RemoveChildren()
{
    while (m_pFirst)
        RemoveChild(m_pFirst);
}

DomCore *DomCore::ChildAt(LONG nIndex)
{
    DomCore *p = m_pFirst;
    for (LONG i = 0; p && i < nIndex; i++)
        p = p->m_pNext;
    return p;
}

HRESULT DomCore::GetName(BSTR *pbstr)
{
    if (!pbstr)
        return E_INVALIDARG;
    const WCHAR *pszName;
    switch (m_nType)
    {
    case NODE_TEXT:          pszName = TEXT_NODE_NAME; break;
    case NODE_COMMENT:       pszName = COMMENT_NODE_NAME; break;
    case NODE_CDATA_SECTION: pszName = CDATA_NODE_NAME; break;
    case NODE_DOCUMENT:      pszName = DOCUMENT_NODE_NAME; break;
    default:                 pszName = m_pszName ? m_pszName : L""; break;
    }
    *pbstr = SysAllocString(pszName);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

// Characters that text of this node contributes to its ancestors' text: text and CDATA only.
size_t DomCore::TextLength()
{
    if (m_nType == NODE_TEXT || m_nType == NODE_CDATA_SECTION)
        return m_pszValue ? lstrlenW(m_pszValue) : 0;
    size_t cch = 0;
    if (m_nType == NODE_ELEMENT || m_nType == NODE_DOCUMENT)
    {
        for (DomCore *p = m_pFirst; p; p = p->m_pNext)
            cch += p->TextLength();
    }
    return cch;
}

WCHAR *DomCore::CopyText(WCHAR *pszOut)
{
    if (m_nType == NODE_TEXT || m_nType == NODE_CDATA_SECTION)
    {
        size_t cch = m_pszValue ? lstrlenW(m_pszValue) : 0;
        if (cch)
            CopyMemory(pszOut, m_pszValue, cch * sizeof(WCHAR));
        return pszOut + cch;
    }
    if (m_nType == NODE_ELEMENT || m_nType == NODE_DOCUMENT)
    {
        for (DomCore *p = m_pFirst; p; p = p->m_pNext)
            pszOut = p->CopyText(pszOut);
    }
    return pszOut;
}

HRESULT DomCore::GetText(BSTR *pbstr)
{
    if (!pbstr)
        return E_INVALIDARG;
    *pbstr = NULL;
    if (m_nType != NODE_ELEMENT && m_nType != NODE_DOCUMENT)
    {
        *pbstr = SysAllocString(m_pszValue ? m_pszValue : L"");
        return *pbstr ? S_OK : E_OUTOFMEMORY;
    }
    size_t cch = TextLength();
    WCHAR *pszAll = (WCHAR *)XmlDomAlloc((cch + 1) * sizeof(WCHAR));
    if (!pszAll)
        return E_OUTOFMEMORY;
    CopyText(pszAll);
    // The component's default drops white space at both ends of an element's text.
    size_t nStart = 0;
    while (nStart < cch && IsBlank(pszAll[nStart]))
        nStart++;
    while (cch > nStart && IsBlank(pszAll[cch - 1]))
        cch--;
    *pbstr = SysAllocStringLen(pszAll + nStart, (UINT)(cch - nStart));
    XmlDomFree(pszAll);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

HRESULT DomCore::PutText(BSTR bstr)
{
    UINT cch = SysStringLen(bstr);
    if (m_nType == NODE_DOCUMENT)
        return E_FAIL;
    if (m_nType != NODE_ELEMENT)
        return SetValue(bstr ? bstr : L"", cch) ? S_OK : E_OUTOFMEMORY;

    RemoveChildren();
    if (cch == 0)
        return S_OK;
    DomCore *pText = DomCreateNode(NODE_TEXT);
    if (!pText)
        return E_OUTOFMEMORY;
    HRESULT hr = pText->SetValue(bstr, cch) ? AppendChild(pText) : E_OUTOFMEMORY;
    pText->m_pItf->Release();
    return hr;
}

HRESULT DomCore::GetChildNodes(IXMLDOMNodeList **ppList)
{
    if (!ppList)
        return E_INVALIDARG;
    *ppList = new DomNodeList(this);
    return *ppList ? S_OK : E_OUTOFMEMORY;
}

HRESULT DomCore::HasChildNodes(VARIANT_BOOL *pb)
{
    if (!pb)
        return E_INVALIDARG;
    *pb = m_pFirst ? VARIANT_TRUE : VARIANT_FALSE;
    return m_pFirst ? S_OK : S_FALSE;
}

// Understands what the configuration asks: a relative path of element names ("CONFIG",
// "CONFIG/StartTime"); the first element of each name is taken.
HRESULT DomCore::SelectSingleNode(BSTR bstrQuery, IXMLDOMNode **ppNode)
{
    if (!ppNode)
        return E_INVALIDARG;
    *ppNode = NULL;
    UINT cchQuery = SysStringLen(bstrQuery);
    if (cchQuery == 0)
        return E_FAIL;
    if (m_nType != NODE_ELEMENT && m_nType != NODE_DOCUMENT)
        return E_FAIL;

    DomCore *pAt = this;
    UINT nStep = 0;
    while (nStep <= cchQuery && pAt)
    {
        UINT nEnd = nStep;
        while (nEnd < cchQuery && bstrQuery[nEnd] != L'/')
            nEnd++;
        if (!XmlIsName(bstrQuery + nStep, nEnd - nStep))
            return E_FAIL;
        DomCore *pFound = NULL;
        for (DomCore *p = pAt->m_pFirst; p && !pFound; p = p->m_pNext)
        {
            if (p->m_nType == NODE_ELEMENT && (UINT)lstrlenW(p->m_pszName) == nEnd - nStep &&
                SameChars(p->m_pszName, bstrQuery + nStep, nEnd - nStep))
                pFound = p;
        }
        pAt = pFound;
        nStep = nEnd + 1;
    }
    if (!pAt)
        return S_FALSE;
    pAt->m_pItf->AddRef();
    *ppNode = pAt->m_pItf;
    return S_OK;
}
