// The same document work as one refresh of the item, through Wine's own XML DOM component
// (msxml3's DOMDocument) instead of our stand-in: create, load a UTF-8 copy of the settings
// (the component cannot read GB2312), select CONFIG, find both children by name, read their
// text, release everything. In the bench's prefix CLSID_DOMDocument names the stand-in, so
// msxml3.dll is loaded by its file and asked for its class object itself, once.
#include "bench/msxml_round.h"
#include <ole2.h>
#include <msxml.h>
#include <cwchar>

namespace {

// The first child whose name contains pszName, as the configuration document looks it up.
IXMLDOMNode *FindChild(IXMLDOMNode *pParent, const wchar_t *pszName)
{
    IXMLDOMNodeList *pChildren = NULL;
    IXMLDOMNode *pFound = NULL;
    if (FAILED(pParent->get_childNodes(&pChildren)) || !pChildren)
        return NULL;
    long nLength = 0;
    pChildren->get_length(&nLength);
    for (long i = 0; i < nLength && !pFound; i++)
    {
        IXMLDOMNode *pItem = NULL;
        if (FAILED(pChildren->get_item(i, &pItem)) || !pItem)
            continue;
        BSTR bstrName = NULL;
        if (SUCCEEDED(pItem->get_nodeName(&bstrName)) && bstrName && wcsstr(bstrName, pszName))
            pFound = pItem;
        else
            pItem->Release();
        SysFreeString(bstrName);
    }
    pChildren->Release();
    return pFound;
}

// Returns the text of a child of CONFIG, or an empty string.
std::wstring ChildText(IXMLDOMDocument *pDoc, const wchar_t *pszChild)
{
    std::wstring str;
    BSTR bstrPath = SysAllocString(L"CONFIG");
    IXMLDOMNode *pConfig = NULL;
    if (SUCCEEDED(pDoc->selectSingleNode(bstrPath, &pConfig)) && pConfig)
    {
        IXMLDOMNode *pChild = FindChild(pConfig, pszChild);
        if (pChild)
        {
            BSTR bstrText = NULL;
            if (SUCCEEDED(pChild->get_text(&bstrText)) && bstrText)
                str = bstrText;
            SysFreeString(bstrText);
            pChild->Release();
        }
        pConfig->Release();
    }
    SysFreeString(bstrPath);
    return str;
}

typedef HRESULT (WINAPI *GET_CLASS_OBJECT)(REFCLSID rclsid, REFIID riid, void **ppv);

// Asked for once and kept, as the item keeps the stand-in's: each round's document is made from
// it. It lives as long as the bench program.
IClassFactory *PlatformClassObject()
{
    static IClassFactory *s_pFactory = NULL;
    if (!s_pFactory)
    {
        GET_CLASS_OBJECT pfn =
            (GET_CLASS_OBJECT)(void *)GetProcAddress(LoadLibraryW(L"msxml3.dll"), "DllGetClassObject");
        if (pfn && FAILED(pfn(CLSID_DOMDocument, IID_IClassFactory, (void **)&s_pFactory)))
            s_pFactory = NULL;
    }
    return s_pFactory;
}

IXMLDOMDocument *CreatePlatformDocument()
{
    IClassFactory *pFactory = PlatformClassObject();
    IXMLDOMDocument *pDoc = NULL;
    if (pFactory)
        pFactory->CreateInstance(NULL, IID_IXMLDOMDocument, (void **)&pDoc);
    return pDoc;
}

}  // namespace

bool MsxmlConfigRound(const std::wstring &strPath, std::wstring *pstrStart, std::wstring *pstrMethod)
{
    IXMLDOMDocument *pDoc = CreatePlatformDocument();
    if (!pDoc)
        return false;
    pDoc->put_async(VARIANT_FALSE);
    VARIANT varPath;
    VariantInit(&varPath);
    varPath.vt = VT_BSTR;
    varPath.bstrVal = SysAllocString(strPath.c_str());
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    bool bOk = SUCCEEDED(pDoc->load(varPath, &bLoaded)) && bLoaded == VARIANT_TRUE;
    VariantClear(&varPath);
    if (bOk)
    {
        *pstrStart = ChildText(pDoc, L"StartTime");
        *pstrMethod = ChildText(pDoc, L"CalcMethod");
    }
    pDoc->Release();
    return bOk;
}
