#pragma once
#include "platform/xmldom/dom_core.h"

#define XMLDOM_STUB { return E_NOTIMPL; }

// The COM face shared by every node kind: IUnknown, IDispatch and IXMLDOMNode over a DomCore.
// The interface I is the node kind's own (IXMLDOMElement, IXMLDOMDocument, ...). Only what the
// configuration document uses does work; the rest answers E_NOTIMPL as an unsupported member.
template <class I>
class DomNode : public I
{
public:
    DomNode(DOMNodeType nType, REFIID riidOwn)
        : m_core(nType, static_cast<IXMLDOMNode *>(this)), m_riidOwn(riidOwn) {}
    virtual ~DomNode() {}

    static void *operator new(size_t cb) noexcept { return XmlDomAlloc(cb); }
    static void operator delete(void *p) { XmlDomFree(p); }

    HRESULT WINAPI QueryInterface(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (IsEqualIID(riid, IID_XmlDomNodeCore))
        {
            *ppv = &m_core;
            return S_OK;
        }
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, IID_IXMLDOMNode) && !IsEqualIID(riid, m_riidOwn))
            return E_NOINTERFACE;
        *ppv = static_cast<I *>(this);
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return (ULONG)m_core.AddRef(); }
    ULONG WINAPI Release() override
    {
        LONG nRef = InterlockedDecrement(&m_core.m_nRef);
        if (nRef == 0)
            delete this;
        return (ULONG)nRef;
    }

    HRESULT WINAPI GetTypeInfoCount(UINT *) override XMLDOM_STUB
    HRESULT WINAPI GetTypeInfo(UINT, LCID, ITypeInfo **) override XMLDOM_STUB
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override XMLDOM_STUB
    HRESULT WINAPI Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override XMLDOM_STUB

    HRESULT WINAPI get_nodeName(BSTR *name) override { return m_core.GetName(name); }
    HRESULT WINAPI get_nodeValue(VARIANT *) override XMLDOM_STUB
    HRESULT WINAPI put_nodeValue(VARIANT) override XMLDOM_STUB
    HRESULT WINAPI get_nodeType(DOMNodeType *type) override
    {
        if (!type)
            return E_INVALIDARG;
        *type = m_core.m_nType;
        return S_OK;
    }
    HRESULT WINAPI get_parentNode(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_childNodes(IXMLDOMNodeList **childList) override { return m_core.GetChildNodes(childList); }
    HRESULT WINAPI get_firstChild(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_lastChild(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_previousSibling(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_nextSibling(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_attributes(IXMLDOMNamedNodeMap **) override XMLDOM_STUB
    HRESULT WINAPI insertBefore(IXMLDOMNode *, VARIANT, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI replaceChild(IXMLDOMNode *, IXMLDOMNode *, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI removeChild(IXMLDOMNode *, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI appendChild(IXMLDOMNode *newChild, IXMLDOMNode **outNewChild) override
    {
        if (outNewChild)
            *outNewChild = NULL;
        DomCore *pChild = DomCore::Of(newChild);
        if (!pChild)
            return E_INVALIDARG;
        HRESULT hr = m_core.AppendChild(pChild);
        if (SUCCEEDED(hr) && outNewChild)
        {
            newChild->AddRef();
            *outNewChild = newChild;
        }
        return hr;
    }
    HRESULT WINAPI hasChildNodes(VARIANT_BOOL *hasChild) override { return m_core.HasChildNodes(hasChild); }
    HRESULT WINAPI get_ownerDocument(IXMLDOMDocument **) override XMLDOM_STUB
    HRESULT WINAPI cloneNode(VARIANT_BOOL, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_nodeTypeString(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI get_text(BSTR *text) override { return m_core.GetText(text); }
    HRESULT WINAPI put_text(BSTR text) override { return m_core.PutText(text); }
    HRESULT WINAPI get_specified(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI get_definition(IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI get_nodeTypedValue(VARIANT *) override XMLDOM_STUB
    HRESULT WINAPI put_nodeTypedValue(VARIANT) override XMLDOM_STUB
    HRESULT WINAPI get_dataType(VARIANT *) override XMLDOM_STUB
    HRESULT WINAPI put_dataType(BSTR) override XMLDOM_STUB
    HRESULT WINAPI get_xml(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI transformNode(IXMLDOMNode *, BSTR *) override XMLDOM_STUB
    HRESULT WINAPI selectNodes(BSTR, IXMLDOMNodeList **) override XMLDOM_STUB
    HRESULT WINAPI selectSingleNode(BSTR queryString, IXMLDOMNode **resultNode) override
    {
        return m_core.SelectSingleNode(queryString, resultNode);
    }
    HRESULT WINAPI get_parsed(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI get_namespaceURI(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI get_prefix(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI get_baseName(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI transformNodeToObject(IXMLDOMNode *, VARIANT) override XMLDOM_STUB

    DomCore m_core;

private:
    REFIID m_riidOwn;
};
