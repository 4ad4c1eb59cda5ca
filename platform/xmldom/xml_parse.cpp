// The parse proper: rapidxml over UTF-8 (its character tables are one byte wide, so UTF-8
// keeps every non-ASCII character out of its way), then its nodes become our tree, checked
// on the way for what rapidxml lets through.
#include "platform/xmldom/xml_parse.h"
#include "platform/xmldom/xml_validation.h"
#include "platform/xmldom/xml_rapidxml.h"
#include <string.h>

#define XML_DECL_DATA_BYTES 256

static const int XML_PARSE_FLAGS =
    rapidxml::parse_no_entity_translation | rapidxml::parse_no_element_values |
    rapidxml::parse_validate_closing_tags | rapidxml::parse_declaration_node |
    rapidxml::parse_comment_nodes | rapidxml::parse_pi_nodes;

// A parse error leaves for the guarded parse below; the frames it skips are rapidxml's own and
// hold nothing to destroy (the parser object itself lives on the heap and is freed there).
static void **s_ppParseEscape = NULL;

namespace rapidxml
{
void parse_error_handler(const char *, void *)
{
    __builtin_longjmp(s_ppParseEscape, 1);
}
}

static void *ParserAlloc(size_t cb)
{
    void *p = XmlDomAlloc(cb);
    if (!p)
        __builtin_longjmp(s_ppParseEscape, 1);
    return p;
}

static void ParserFree(void *p)
{
    XmlDomFree(p);
}

static BOOL __attribute__((noinline)) ParseGuarded(XmlParser *pParser, char *pszText)
{
    void *aEscape[5];
    void **ppOuter = s_ppParseEscape;
    s_ppParseEscape = aEscape;
    if (__builtin_setjmp(aEscape))
    {
        s_ppParseEscape = ppOuter;
        return FALSE;
    }
    pParser->parse<XML_PARSE_FLAGS>(pszText);
    s_ppParseEscape = ppOuter;
    return TRUE;
}

static BOOL IsBlankText(const char *p, size_t cb)
{
    for (size_t i = 0; i < cb; i++)
    {
        if (p[i] != ' ' && p[i] != '\t' && p[i] != '\r' && p[i] != '\n')
            return FALSE;
    }
    return TRUE;
}

// UTF-8 from the parser into the node's name (checked to be a name) or its value.
static BOOL SetFromUtf8(DomCore *pNode, const char *p, size_t cb, BOOL bName)
{
    int cch = 0;
    if (cb)
    {
        cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, NULL, 0);
        if (cch <= 0)
            return FALSE;
    }
    WCHAR *psz = (WCHAR *)XmlDomAlloc((cch + 1) * sizeof(WCHAR));
    if (!psz)
        return FALSE;
    if (cch && MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, psz, cch) != cch)
    {
        XmlDomFree(psz);
        return FALSE;
    }
    psz[cch] = 0;
    BOOL bOk = bName ? (XmlIsName(psz, cch) && pNode->SetName(psz, cch)) : pNode->SetValue(psz, cch);
    XmlDomFree(psz);
    return bOk;
}

// The declaration as its data text: version first, then encoding and standalone if given.
static BOOL BuildDeclaration(XmlSrcNode *pSrc, DomCore *pNode)
{
    static const char *const s_apszNames[] = { "version", "encoding", "standalone" };
    char szData[XML_DECL_DATA_BYTES];
    size_t nData = 0;
    size_t nNext = XML_DECL_VERSION;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
    {
        // The declaration's names are lower case, as all of XML's names are of one case only.
        while (nNext < ARRAYSIZE(s_apszNames) && !(pAttr->name_size() == strlen(s_apszNames[nNext])
                                                   && memcmp(pAttr->name(), s_apszNames[nNext], pAttr->name_size()) == 0))
            nNext++;
        if (nNext == ARRAYSIZE(s_apszNames) || (nData == 0 && nNext != XML_DECL_VERSION))
            return FALSE;
        size_t cbName = pAttr->name_size(), cbValue = pAttr->value_size();
        if (nData + cbName + cbValue + 5 >= sizeof(szData) || !XmlDeclarationValueValid(nNext, pAttr->value(), cbValue))
            return FALSE;
        if (nData)
            szData[nData++] = ' ';
        memcpy(szData + nData, pAttr->name(), cbName);
        nData += cbName;
        szData[nData++] = '=';
        szData[nData++] = '"';
        memcpy(szData + nData, pAttr->value(), cbValue);
        nData += cbValue;
        szData[nData++] = '"';
        nNext++;
    }
    if (nData == 0)
        return FALSE;
    return SetFromUtf8(pNode, "xml", 3, TRUE) && SetFromUtf8(pNode, szData, nData, FALSE);
}

static BOOL BuildElement(XmlSrcNode *pSrc, DomCore *pNode, int nDepth);

// The kind of our node for a parser node, FALSE for one that may not stand there, and
// NODE_INVALID for one that is dropped (blank text between elements, a document type).
static BOOL KindOf(XmlSrcNode *pSrc, size_t *pcbValue, BOOL bFirst, BOOL bDeclarationAllowed, DOMNodeType *pnType)
{
    *pnType = NODE_INVALID;
    switch (pSrc->type())
    {
    case rapidxml::node_element:
        *pnType = NODE_ELEMENT;
        return TRUE;
    case rapidxml::node_data:
        if (!XmlTranslateReferences(pSrc->value(), *pcbValue, FALSE, pcbValue))
            return FALSE;
        // White space between elements is not kept, as with the component's default.
        if (!IsBlankText(pSrc->value(), *pcbValue))
            *pnType = NODE_TEXT;
        return TRUE;
    case rapidxml::node_cdata:
        *pnType = NODE_CDATA_SECTION;
        return TRUE;
    case rapidxml::node_comment:
        *pnType = NODE_COMMENT;
        return XmlCommentValid(pSrc->value(), *pcbValue);
    case rapidxml::node_declaration:
        *pnType = NODE_PROCESSING_INSTRUCTION;
        return bFirst && bDeclarationAllowed;
    case rapidxml::node_pi:
        *pnType = NODE_PROCESSING_INSTRUCTION;
        return XmlInstructionTargetValid(pSrc->name(), pSrc->name_size());
    default:
        return TRUE;
    }
}

static BOOL BuildChild(XmlSrcNode *pSrc, DomCore *pParent, BOOL bFirst, BOOL bDeclarationAllowed, int nDepth)
{
    size_t cbValue = pSrc->value_size();
    DOMNodeType nType;
    if (!KindOf(pSrc, &cbValue, bFirst, bDeclarationAllowed, &nType))
        return FALSE;
    if (nType == NODE_INVALID)
        return TRUE;

    DomCore *pNode = DomCreateNode(nType);
    if (!pNode)
        return FALSE;
    BOOL bOk;
    rapidxml::node_type nKind = pSrc->type();
    if (nKind == rapidxml::node_element)
        bOk = BuildElement(pSrc, pNode, nDepth + 1);
    else if (nKind == rapidxml::node_declaration)
        bOk = BuildDeclaration(pSrc, pNode);
    else if (nKind == rapidxml::node_pi)
        bOk = SetFromUtf8(pNode, pSrc->name(), pSrc->name_size(), TRUE) &&
              SetFromUtf8(pNode, pSrc->value(), cbValue, FALSE);
    else
        bOk = SetFromUtf8(pNode, pSrc->value(), cbValue, FALSE);
    // The parent refuses what it may not hold: a second document element, text beside it.
    bOk = bOk && SUCCEEDED(pParent->AppendChild(pNode));
    pNode->m_pItf->Release();
    return bOk;
}

static BOOL BuildChildren(XmlSrcNode *pSrc, DomCore *pParent, BOOL bDeclarationAllowed, int nDepth)
{
    BOOL bFirst = TRUE;
    for (XmlSrcNode *pChild = pSrc->first_node(); pChild; pChild = pChild->next_sibling())
    {
        if (!BuildChild(pChild, pParent, bFirst, bDeclarationAllowed, nDepth))
            return FALSE;
        bFirst = FALSE;
    }
    return TRUE;
}

static BOOL BuildAttribute(XmlSrcAttr *pAttr, DomCore *pNode)
{
    size_t cbValue;
    if (!XmlUtf8IsName(pAttr->name(), pAttr->name_size()) ||
        !XmlTranslateReferences(pAttr->value(), pAttr->value_size(), TRUE, &cbValue))
        return FALSE;
    // A detached text node converts both strings; the attribute takes copies.
    DomCore *pTemp = DomCreateNode(NODE_TEXT);
    if (!pTemp)
        return FALSE;
    BOOL bOk = SetFromUtf8(pTemp, pAttr->name(), pAttr->name_size(), TRUE) &&
               SetFromUtf8(pTemp, pAttr->value(), cbValue, FALSE) &&
               pNode->AddAttr(pTemp->m_pszName, lstrlenW(pTemp->m_pszName),
                              pTemp->m_pszValue, lstrlenW(pTemp->m_pszValue));
    pTemp->m_pItf->Release();
    return bOk;
}

static BOOL BuildElement(XmlSrcNode *pSrc, DomCore *pNode, int nDepth)
{
    if (nDepth > XMLDOM_MAX_DEPTH)
        return FALSE;
    if (!SetFromUtf8(pNode, pSrc->name(), pSrc->name_size(), TRUE) || !XmlAttributesUnique(pSrc))
        return FALSE;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
    {
        if (!BuildAttribute(pAttr, pNode))
            return FALSE;
    }
    return BuildChildren(pSrc, pNode, FALSE, nDepth);
}

BOOL XmlParseInto(DomCore *pDocument, char *pszUtf8)
{
    void *pMemory = XmlDomAlloc(sizeof(XmlParser));
    if (!pMemory)
        return FALSE;
    XmlParser *pParser = new (pMemory) XmlParser();
    pParser->set_allocator(ParserAlloc, ParserFree);
    // A declaration only counts at the very start of the file.
    BOOL bStartsWithDeclaration = strncmp(pszUtf8, "<?xml", 5) == 0;
    BOOL bOk = ParseGuarded(pParser, pszUtf8) &&
               BuildChildren(pParser, pDocument, bStartsWithDeclaration, 0) &&
               pDocument->DocumentElement() != NULL;
    pParser->~XmlParser();
    XmlDomFree(pParser);
    return bOk;
}
