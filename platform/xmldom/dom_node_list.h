#pragma once
#include "platform/xmldom/dom_core.h"

// The live list of a node's children. It keeps a cursor, so walking the list from the first
// item to the last costs one step per item, however many children there are.
class DomNodeList : public IXMLDOMNodeList
{
public:
    explicit DomNodeList(DomCore *pParent);
    virtual ~DomNodeList();

    static void *operator new(size_t cb) noexcept { return XmlDomAlloc(cb); }
    static void operator delete(void *p) { XmlDomFree(p); }

    HRESULT WINAPI QueryInterface(REFIID riid, void **ppv) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;

    HRESULT WINAPI GetTypeInfoCount(UINT *) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT WINAPI GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    HRESULT WINAPI Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }

    HRESULT WINAPI get_item(LONG index, IXMLDOMNode **listItem) override;
    HRESULT WINAPI get_length(LONG *listLength) override;
    HRESULT WINAPI nextNode(IXMLDOMNode **) override { return E_NOTIMPL; }
    HRESULT WINAPI reset() override { return E_NOTIMPL; }
    HRESULT WINAPI get__newEnum(IUnknown **) override { return E_NOTIMPL; }

private:
    LONG m_nRef;
    DomCore *m_pParent;
    DomCore *m_pCursor;
    LONG m_nCursor;
    LONG m_nVersion;
};
