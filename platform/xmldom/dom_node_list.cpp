#include "platform/xmldom/dom_node_list.h"

DomNodeList::DomNodeList(DomCore *pParent)
    : m_nRef(1), m_pParent(pParent), m_pCursor(NULL), m_nCursor(0), m_nVersion(0)
{
    m_pParent->m_pItf->AddRef();
    InterlockedIncrement(&g_nXmlDomLiveObjects);
}

DomNodeList::~DomNodeList()
{
    m_pParent->m_pItf->Release();
    InterlockedDecrement(&g_nXmlDomLiveObjects);
}

HRESULT WINAPI DomNodeList::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
        !IsEqualIID(riid, IID_IXMLDOMNodeList))
        return E_NOINTERFACE;
    *ppv = static_cast<IXMLDOMNodeList *>(this);
    AddRef();
    return S_OK;
}

ULONG WINAPI DomNodeList::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_nRef);
}

ULONG WINAPI DomNodeList::Release()
{
    LONG nRef = InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return (ULONG)nRef;
}

HRESULT WINAPI DomNodeList::get_item(LONG index, IXMLDOMNode **listItem)
{
    if (!listItem)
        return E_INVALIDARG;
    *listItem = NULL;
    if (index < 0 || index >= m_pParent->m_nChildren)
        return S_FALSE;

    DomCore *pNode;
    if (m_pCursor && m_nVersion == m_pParent->m_nVersion && index >= m_nCursor)
    {
        pNode = m_pCursor;
        for (LONG i = m_nCursor; i < index; i++)
            pNode = pNode->m_pNext;
    }
    else
    {
        pNode = m_pParent->ChildAt(index);
    }
    m_pCursor = pNode;
    m_nCursor = index;
    m_nVersion = m_pParent->m_nVersion;

    pNode->m_pItf->AddRef();
    *listItem = pNode->m_pItf;
    return S_OK;
}

HRESULT WINAPI DomNodeList::get_length(LONG *listLength)
{
    if (!listLength)
        return E_INVALIDARG;
    *listLength = m_pParent->m_nChildren;
    return S_OK;
}
