#include "platform/xmldom/dom_document.h"
#include "platform/xmldom/xml_validation.h"

HRESULT WINAPI DomDocument::createElement(BSTR tagName, IXMLDOMElement **element)
{
    if (!element)
        return E_INVALIDARG;
    *element = NULL;
    UINT cch = SysStringLen(tagName);
    if (!XmlIsName(tagName, cch))
        return E_FAIL;
    DomCore *pNode = DomCreateNode(NODE_ELEMENT);
    if (!pNode)
        return E_OUTOFMEMORY;
    if (!pNode->SetName(tagName, cch))
    {
        pNode->m_pItf->Release();
        return E_OUTOFMEMORY;
    }
    *element = static_cast<IXMLDOMElement *>(pNode->m_pItf);
    return S_OK;
}

HRESULT WINAPI DomDocument::createProcessingInstruction(BSTR target, BSTR data, IXMLDOMProcessingInstruction **pi)
{
    if (!pi)
        return E_INVALIDARG;
    *pi = NULL;
    UINT cchTarget = SysStringLen(target);
    if (!XmlIsName(target, cchTarget))
        return E_FAIL;
    DomCore *pNode = DomCreateNode(NODE_PROCESSING_INSTRUCTION);
    if (!pNode)
        return E_OUTOFMEMORY;
    if (!pNode->SetName(target, cchTarget) || !pNode->SetValue(data ? data : L"", SysStringLen(data)))
    {
        pNode->m_pItf->Release();
        return E_OUTOFMEMORY;
    }
    *pi = static_cast<IXMLDOMProcessingInstruction *>(pNode->m_pItf);
    return S_OK;
}

// A document that does not load stays empty and answers S_FALSE, as the component does.
HRESULT WINAPI DomDocument::load(VARIANT xmlSource, VARIANT_BOOL *isSuccessful)
{
    if (!isSuccessful)
        return E_INVALIDARG;
    *isSuccessful = VARIANT_FALSE;
    if (xmlSource.vt != VT_BSTR || SysStringLen(xmlSource.bstrVal) == 0)
        return E_INVALIDARG;
    m_core.RemoveChildren();
    if (!XmlReadFile(&m_core, xmlSource.bstrVal))
    {
        m_core.RemoveChildren();
        return S_FALSE;
    }
    *isSuccessful = VARIANT_TRUE;
    return S_OK;
}

HRESULT WINAPI DomDocument::save(VARIANT destination)
{
    if (destination.vt != VT_BSTR || SysStringLen(destination.bstrVal) == 0)
        return E_INVALIDARG;
    return XmlWriteFile(&m_core, destination.bstrVal);
}
