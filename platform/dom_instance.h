#pragma once
#include <windows.h>
#include <ole2.h>
#include <msxml.h>

// The device makes its XML DOM document through the component runtime:
//     CoCreateInstance(CLSID_DOMDocument, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
//                      IID_IXMLDOMDocument, (void **)&pDoc);
// that is, on the device this header is one line: #define CreateDOMInstance CoCreateInstance
// The desktop's own component cannot read or write a document declared GB2312, so here the
// stand-in in platform/xmldom answers the same call with the same arguments and results.
HRESULT XmlDomCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                             REFIID riid, LPVOID *ppv);
#define CreateDOMInstance XmlDomCreateInstance
