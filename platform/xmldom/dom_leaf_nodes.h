#pragma once
#include "platform/xmldom/dom_node.h"

// An element: its tag name, attributes kept from the file, children.
class DomElement : public DomNode<IXMLDOMElement>
{
public:
    DomElement() : DomNode<IXMLDOMElement>(NODE_ELEMENT, IID_IXMLDOMElement) {}

    HRESULT WINAPI get_tagName(BSTR *tagName) override { return m_core.GetName(tagName); }
    HRESULT WINAPI getAttribute(BSTR, VARIANT *) override XMLDOM_STUB
    HRESULT WINAPI setAttribute(BSTR, VARIANT) override XMLDOM_STUB
    HRESULT WINAPI removeAttribute(BSTR) override XMLDOM_STUB
    HRESULT WINAPI getAttributeNode(BSTR, IXMLDOMAttribute **) override XMLDOM_STUB
    HRESULT WINAPI setAttributeNode(IXMLDOMAttribute *, IXMLDOMAttribute **) override XMLDOM_STUB
    HRESULT WINAPI removeAttributeNode(IXMLDOMAttribute *, IXMLDOMAttribute **) override XMLDOM_STUB
    HRESULT WINAPI getElementsByTagName(BSTR, IXMLDOMNodeList **) override XMLDOM_STUB
    HRESULT WINAPI normalize() override XMLDOM_STUB
};

// Text, CDATA and comments: a node that is only its characters.
class DomCharData : public DomNode<IXMLDOMText>
{
public:
    explicit DomCharData(DOMNodeType nType) : DomNode<IXMLDOMText>(nType, IID_IXMLDOMText) {}

    HRESULT WINAPI get_data(BSTR *data) override { return m_core.GetText(data); }
    HRESULT WINAPI put_data(BSTR data) override { return m_core.PutText(data); }
    HRESULT WINAPI get_length(LONG *) override XMLDOM_STUB
    HRESULT WINAPI substringData(LONG, LONG, BSTR *) override XMLDOM_STUB
    HRESULT WINAPI appendData(BSTR) override XMLDOM_STUB
    HRESULT WINAPI insertData(LONG, BSTR) override XMLDOM_STUB
    HRESULT WINAPI deleteData(LONG, LONG) override XMLDOM_STUB
    HRESULT WINAPI replaceData(LONG, LONG, BSTR) override XMLDOM_STUB
    HRESULT WINAPI splitText(LONG, IXMLDOMText **) override XMLDOM_STUB
};

// A processing instruction; the XML declaration is one with the target "xml".
class DomInstruction : public DomNode<IXMLDOMProcessingInstruction>
{
public:
    DomInstruction()
        : DomNode<IXMLDOMProcessingInstruction>(NODE_PROCESSING_INSTRUCTION, IID_IXMLDOMProcessingInstruction) {}

    HRESULT WINAPI get_target(BSTR *name) override { return m_core.GetName(name); }
    HRESULT WINAPI get_data(BSTR *value) override { return m_core.GetText(value); }
    HRESULT WINAPI put_data(BSTR value) override { return m_core.PutText(value); }
};
