#pragma once
#include "platform/xmldom/dom_node.h"

// The document: loads a file into its tree, makes nodes, saves itself.
class DomDocument : public DomNode<IXMLDOMDocument>
{
public:
    DomDocument() : DomNode<IXMLDOMDocument>(NODE_DOCUMENT, IID_IXMLDOMDocument) {}

    HRESULT WINAPI get_doctype(IXMLDOMDocumentType **) override XMLDOM_STUB
    HRESULT WINAPI get_implementation(IXMLDOMImplementation **) override XMLDOM_STUB
    HRESULT WINAPI get_documentElement(IXMLDOMElement **) override XMLDOM_STUB
    HRESULT WINAPI putref_documentElement(IXMLDOMElement *) override XMLDOM_STUB
    HRESULT WINAPI createElement(BSTR tagName, IXMLDOMElement **element) override;
    HRESULT WINAPI createDocumentFragment(IXMLDOMDocumentFragment **) override XMLDOM_STUB
    HRESULT WINAPI createTextNode(BSTR, IXMLDOMText **) override XMLDOM_STUB
    HRESULT WINAPI createComment(BSTR, IXMLDOMComment **) override XMLDOM_STUB
    HRESULT WINAPI createCDATASection(BSTR, IXMLDOMCDATASection **) override XMLDOM_STUB
    HRESULT WINAPI createProcessingInstruction(BSTR target, BSTR data, IXMLDOMProcessingInstruction **pi) override;
    HRESULT WINAPI createAttribute(BSTR, IXMLDOMAttribute **) override XMLDOM_STUB
    HRESULT WINAPI createEntityReference(BSTR, IXMLDOMEntityReference **) override XMLDOM_STUB
    HRESULT WINAPI getElementsByTagName(BSTR, IXMLDOMNodeList **) override XMLDOM_STUB
    HRESULT WINAPI createNode(VARIANT, BSTR, BSTR, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI nodeFromID(BSTR, IXMLDOMNode **) override XMLDOM_STUB
    HRESULT WINAPI load(VARIANT xmlSource, VARIANT_BOOL *isSuccessful) override;
    HRESULT WINAPI get_readyState(LONG *) override XMLDOM_STUB
    HRESULT WINAPI get_parseError(IXMLDOMParseError **) override XMLDOM_STUB
    HRESULT WINAPI get_url(BSTR *) override XMLDOM_STUB
    HRESULT WINAPI get_async(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI put_async(VARIANT_BOOL) override XMLDOM_STUB
    HRESULT WINAPI abort() override XMLDOM_STUB
    HRESULT WINAPI loadXML(BSTR, VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI save(VARIANT destination) override;
    HRESULT WINAPI get_validateOnParse(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI put_validateOnParse(VARIANT_BOOL) override XMLDOM_STUB
    HRESULT WINAPI get_resolveExternals(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI put_resolveExternals(VARIANT_BOOL) override XMLDOM_STUB
    HRESULT WINAPI get_preserveWhiteSpace(VARIANT_BOOL *) override XMLDOM_STUB
    HRESULT WINAPI put_preserveWhiteSpace(VARIANT_BOOL) override XMLDOM_STUB
    HRESULT WINAPI put_onreadystatechange(VARIANT) override XMLDOM_STUB
    HRESULT WINAPI put_ondataavailable(VARIANT) override XMLDOM_STUB
    HRESULT WINAPI put_ontransformnode(VARIANT) override XMLDOM_STUB
};

// Reads a whole file into the (empty) document's tree. FALSE leaves the document empty.
BOOL XmlReadFile(DomCore *pDocument, const WCHAR *pszPath);

// Writes the document's tree to the file in place; returns the status for save.
HRESULT XmlWriteFile(DomCore *pDocument, const WCHAR *pszPath);
