#pragma once
#include <windows.h>
#include <ole2.h>
#include <msxml.h>
#include <stddef.h>

// Deepest element nesting a loaded file may have. The parser, the tree and its release all
// recurse once per level, and on the device this runs on the shell's thread.
#define XMLDOM_MAX_DEPTH 128

// Nodes and lists alive: the module stays loaded while any is, and the tests read it.
extern LONG g_nXmlDomLiveObjects;

// Everything here lives on the process heap: the stand-in, like what ships, carries no C++
// runtime allocator.
void *XmlDomAlloc(size_t cb);
void XmlDomFree(void *p);
WCHAR *XmlDomDupString(const WCHAR *psz, size_t cch);

// True when the cch characters at p are pszLower (ASCII, lower case) in any case.
BOOL XmlSameAsciiNoCase(const char *p, size_t cch, const char *pszLower);

// Private interface id by which a node of ours hands out its tree part (no reference added).
extern const IID IID_XmlDomNodeCore;

// An attribute kept only so that a file edited by hand keeps it through a save.
struct XmlDomAttr
{
    WCHAR *pszName;
    WCHAR *pszValue;
    XmlDomAttr *pNext;
};

// The tree part of a node: its kind, name, value, attributes and links. The COM object that
// owns it (a DomNode<...>) holds the reference count here; a parent holds one reference on
// each child, children do not hold their parent.
class DomCore
{
public:
    DomCore(DOMNodeType nType, IXMLDOMNode *pItf);
    ~DomCore();

    LONG AddRef() { return InterlockedIncrement(&m_nRef); }

    BOOL SetName(const WCHAR *psz, size_t cch);
    BOOL SetValue(const WCHAR *psz, size_t cch);
    BOOL AddAttr(const WCHAR *pszName, size_t cchName, const WCHAR *pszValue, size_t cchValue);

    HRESULT AppendChild(DomCore *pChild);
    void RemoveChild(DomCore *pChild);
    void RemoveChildren();
    DomCore *ChildAt(LONG nIndex);
    DomCore *DocumentElement();

    HRESULT GetName(BSTR *pbstr);
    HRESULT GetText(BSTR *pbstr);
    HRESULT PutText(BSTR bstr);
    HRESULT GetChildNodes(IXMLDOMNodeList **ppList);
    HRESULT HasChildNodes(VARIANT_BOOL *pb);
    HRESULT SelectSingleNode(BSTR bstrQuery, IXMLDOMNode **ppNode);

    static DomCore *Of(IUnknown *pUnk);

    LONG m_nRef;
    DOMNodeType m_nType;
    IXMLDOMNode *m_pItf;
    WCHAR *m_pszName;   // tag name or target of an instruction
    WCHAR *m_pszValue;  // text, comment, CDATA or the instruction's data
    XmlDomAttr *m_pFirstAttr;
    XmlDomAttr *m_pLastAttr;
    DomCore *m_pParent;
    DomCore *m_pFirst;
    DomCore *m_pLast;
    DomCore *m_pNext;
    DomCore *m_pPrev;
    LONG m_nChildren;
    LONG m_nVersion;    // bumped at every change of the child list, so lists can keep a cursor

private:
    size_t TextLength();
    WCHAR *CopyText(WCHAR *pszOut);
};

// Creates a detached node of the given kind with one reference, or null.
DomCore *DomCreateNode(DOMNodeType nType);
