#include "tests/dom_server.h"
#include <ole2.h>
#include <msxml.h>

static HMODULE s_hServer = NULL;

HMODULE DomServerModule()
{
    if (s_hServer)
        return s_hServer;
    IXMLDOMDocument *pDoc = NULL;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument, NULL, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, (void **)&pDoc)))
        return NULL;
    // The object's table of methods lies in the module that made it; asking for that module
    // by address also adds the reference that keeps it loaded.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, (LPCWSTR)*(void **)pDoc, &s_hServer);
    pDoc->Release();
    return s_hServer;
}

LONG DomLiveObjects()
{
    XMLDOM_LIVE_OBJECTS pfn = (XMLDOM_LIVE_OBJECTS)(void *)GetProcAddress(DomServerModule(), XMLDOM_LIVE_OBJECTS_EXPORT);
    return pfn ? pfn() : -1;
}
