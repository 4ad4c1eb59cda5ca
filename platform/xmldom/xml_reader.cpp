// Reading a file into the tree: bytes to UTF-16 by the declared encoding, the checks the
// parser leaves out, then rapidxml over UTF-8 (its character tables are one byte wide, so
// UTF-8 keeps every non-ASCII character out of its way).
#include "platform/xmldom/dom_document.h"
#include <stdlib.h>
#include <string.h>

// rapidxml's asserts would pull the C runtime's assert machinery into every module.
#ifndef NDEBUG
#define NDEBUG
#endif
#define RAPIDXML_NO_EXCEPTIONS
#define RAPIDXML_STATIC_POOL_SIZE (16 * 1024)

// rapidxml built without exceptions reports a parse error by calling this; it never returns.
namespace rapidxml
{
[[noreturn]] void parse_error_handler(const char *pszWhat, void *pWhere);
}
#include <rapidxml/rapidxml.hpp>

typedef rapidxml::xml_document<char> XmlParser;
typedef rapidxml::xml_node<char> XmlSrcNode;
typedef rapidxml::xml_attribute<char> XmlSrcAttr;

// Beyond this a file is not a settings document, and reading it would only eat the memory.
#define XML_MAX_FILE_BYTES (32 * 1024 * 1024)
#define XML_DECL_SCAN_BYTES 256
#define XML_ENCODING_CCH 32
#define CP_GB2312 936

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

static char LowerAscii(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch;
}

static BOOL SameAsciiNoCase(const char *psz1, size_t cch1, const char *psz2)
{
    size_t i = 0;
    for (; i < cch1 && psz2[i]; i++)
    {
        if (LowerAscii(psz1[i]) != LowerAscii(psz2[i]))
            return FALSE;
    }
    return i == cch1 && psz2[i] == 0;
}

static BOOL IsBlankA(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// Finds the encoding a leading XML declaration names, from its ASCII bytes. Returns FALSE for
// a declaration that cannot be read; an empty name means none was given.
static BOOL ReadDeclaredEncoding(const char *p, size_t cb, char *pszEncoding)
{
    pszEncoding[0] = 0;
    if (cb < 6 || p[0] != '<' || p[1] != '?' || p[2] != 'x' || p[3] != 'm' || p[4] != 'l' || !IsBlankA(p[5]))
        return TRUE;
    size_t nEnd = 5;
    size_t nLimit = cb < XML_DECL_SCAN_BYTES ? cb : XML_DECL_SCAN_BYTES;
    while (nEnd + 1 < nLimit && !(p[nEnd] == '?' && p[nEnd + 1] == '>'))
        nEnd++;
    if (nEnd + 1 >= nLimit)
        return FALSE;
    static const char ENCODING[] = "encoding";
    const size_t cchKey = sizeof(ENCODING) - 1;
    for (size_t i = 5; i + cchKey < nEnd; i++)
    {
        if (!IsBlankA(p[i - 1]) || memcmp(p + i, ENCODING, cchKey) != 0)
            continue;
        size_t j = i + cchKey;
        while (j < nEnd && IsBlankA(p[j]))
            j++;
        if (j >= nEnd || p[j] != '=')
            return FALSE;
        j++;
        while (j < nEnd && IsBlankA(p[j]))
            j++;
        if (j >= nEnd || (p[j] != '"' && p[j] != '\''))
            return FALSE;
        char chQuote = p[j++];
        size_t k = 0;
        while (j < nEnd && p[j] != chQuote)
        {
            if (k + 1 >= XML_ENCODING_CCH)
                return FALSE;
            pszEncoding[k++] = p[j++];
        }
        pszEncoding[k] = 0;
        return j < nEnd && k > 0;
    }
    return TRUE;
}

static UINT CodePageOfName(const char *pszName)
{
    size_t cch = strlen(pszName);
    if (SameAsciiNoCase(pszName, cch, "utf-8"))
        return CP_UTF8;
    if (SameAsciiNoCase(pszName, cch, "gb2312") || SameAsciiNoCase(pszName, cch, "gbk"))
        return CP_GB2312;
    return 0;
}

static WCHAR *AllocWide(size_t cch)
{
    return (WCHAR *)XmlDomAlloc((cch + 1) * sizeof(WCHAR));
}

// The file's bytes as UTF-16, or null when the encoding is unknown, the bytes are not valid
// in it, or the declaration contradicts the byte-order mark.
static WCHAR *DecodeBytes(const BYTE *pb, size_t cb, size_t *pcch)
{
    char szEncoding[XML_ENCODING_CCH];
    WCHAR *pszWide = NULL;

    if (cb >= 2 && ((pb[0] == 0xFF && pb[1] == 0xFE) || (pb[0] == 0xFE && pb[1] == 0xFF)))
    {
        if (cb % 2)
            return NULL;
        BOOL bBigEndian = pb[0] == 0xFE;
        size_t cch = (cb - 2) / 2;
        pszWide = AllocWide(cch);
        if (!pszWide)
            return NULL;
        for (size_t i = 0; i < cch; i++)
        {
            BYTE b0 = pb[2 + 2 * i], b1 = pb[3 + 2 * i];
            pszWide[i] = bBigEndian ? (WCHAR)((b0 << 8) | b1) : (WCHAR)((b1 << 8) | b0);
        }
        pszWide[cch] = 0;
        // The declaration may name UTF-16 or nothing; anything else contradicts the mark.
        char szHead[XML_DECL_SCAN_BYTES];
        size_t nHead = cch < XML_DECL_SCAN_BYTES ? cch : XML_DECL_SCAN_BYTES;
        for (size_t i = 0; i < nHead; i++)
            szHead[i] = pszWide[i] < 0x80 ? (char)pszWide[i] : '?';
        if (!ReadDeclaredEncoding(szHead, nHead, szEncoding) ||
            (szEncoding[0] && !SameAsciiNoCase(szEncoding, strlen(szEncoding), "utf-16")))
        {
            XmlDomFree(pszWide);
            return NULL;
        }
        *pcch = cch;
        return pszWide;
    }

    UINT nCodePage;
    BOOL bBom = cb >= 3 && pb[0] == 0xEF && pb[1] == 0xBB && pb[2] == 0xBF;
    if (bBom)
    {
        pb += 3;
        cb -= 3;
    }
    if (!ReadDeclaredEncoding((const char *)pb, cb, szEncoding))
        return NULL;
    if (szEncoding[0] == 0)
        nCodePage = CP_UTF8;
    else
        nCodePage = CodePageOfName(szEncoding);
    if (nCodePage == 0 || (bBom && nCodePage != CP_UTF8))
        return NULL;
    if (cb == 0 || cb > (size_t)INT_MAX)
        return NULL;

    int cch = MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, (LPCSTR)pb, (int)cb, NULL, 0);
    if (cch <= 0)
        return NULL;
    pszWide = AllocWide(cch);
    if (!pszWide)
        return NULL;
    if (MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, (LPCSTR)pb, (int)cb, pszWide, cch) != cch)
    {
        XmlDomFree(pszWide);
        return NULL;
    }
    pszWide[cch] = 0;
    *pcch = cch;
    return pszWide;
}

// XML allows tab, line feed, carriage return and the printable planes, surrogates only in pairs.
static BOOL AllCharsLegal(const WCHAR *psz, size_t cch)
{
    for (size_t i = 0; i < cch; i++)
    {
        WCHAR ch = psz[i];
        if (ch < 0x20 && ch != 0x09 && ch != 0x0A && ch != 0x0D)
            return FALSE;
        if (ch == 0xFFFE || ch == 0xFFFF)
            return FALSE;
        if (ch >= 0xD800 && ch <= 0xDBFF)
        {
            if (i + 1 >= cch || psz[i + 1] < 0xDC00 || psz[i + 1] > 0xDFFF)
                return FALSE;
            i++;
        }
        else if (ch >= 0xDC00 && ch <= 0xDFFF)
        {
            return FALSE;
        }
    }
    return TRUE;
}

static char *WideToUtf8(const WCHAR *psz, size_t cch)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, psz, (int)cch, NULL, 0, NULL, NULL);
    if (cb <= 0)
        return NULL;
    char *pszUtf8 = (char *)XmlDomAlloc(cb + 1);
    if (!pszUtf8)
        return NULL;
    if (WideCharToMultiByte(CP_UTF8, 0, psz, (int)cch, pszUtf8, cb, NULL, NULL) != cb)
    {
        XmlDomFree(pszUtf8);
        return NULL;
    }
    pszUtf8[cb] = 0;
    return pszUtf8;
}

static const char *FindText(const char *p, const char *pszWanted)
{
    size_t cch = strlen(pszWanted);
    for (; *p; p++)
    {
        if (*p == pszWanted[0] && strncmp(p, pszWanted, cch) == 0)
            return p;
    }
    return NULL;
}

// A quick walk over the markup that counts element nesting, so that the parser, which recurses
// once per level, never meets a file nested deeper than we allow.
static BOOL NestingWithinLimit(const char *p)
{
    int nDepth = 0;
    while (*p)
    {
        if (*p != '<')
        {
            p++;
            continue;
        }
        const char *pszClose = NULL;
        if (strncmp(p, "<!--", 4) == 0)
            pszClose = "-->";
        else if (strncmp(p, "<![CDATA[", 9) == 0)
            pszClose = "]]>";
        else if (p[1] == '?')
            pszClose = "?>";
        if (pszClose)
        {
            p = FindText(p + 2, pszClose);
            if (!p)
                return FALSE;
            p += strlen(pszClose);
            continue;
        }
        if (p[1] == '!')
        {
            int nBrackets = 0;
            for (p += 2; *p && (*p != '>' || nBrackets > 0); p++)
            {
                if (*p == '[')
                    nBrackets++;
                else if (*p == ']')
                    nBrackets--;
            }
            if (!*p)
                return FALSE;
            p++;
            continue;
        }
        if (p[1] == '/')
        {
            nDepth--;
            p += 2;
            continue;
        }
        char chQuote = 0;
        char chLast = 0;
        for (p++; *p && (chQuote || *p != '>'); p++)
        {
            if (chQuote)
            {
                if (*p == chQuote)
                    chQuote = 0;
            }
            else if (*p == '"' || *p == '\'')
            {
                chQuote = *p;
            }
            chLast = *p;
        }
        if (!*p)
            return FALSE;
        if (chLast != '/' && ++nDepth > XMLDOM_MAX_DEPTH)
            return FALSE;
        p++;
    }
    return TRUE;
}

static BOOL IsXmlChar(unsigned long nCode)
{
    return nCode == 0x09 || nCode == 0x0A || nCode == 0x0D || (nCode >= 0x20 && nCode <= 0xD7FF) ||
           (nCode >= 0xE000 && nCode <= 0xFFFD) || (nCode >= 0x10000 && nCode <= 0x10FFFF);
}

static char *PutUtf8(char *pOut, unsigned long nCode)
{
    if (nCode < 0x80)
    {
        *pOut++ = (char)nCode;
    }
    else if (nCode < 0x800)
    {
        *pOut++ = (char)(0xC0 | (nCode >> 6));
        *pOut++ = (char)(0x80 | (nCode & 0x3F));
    }
    else if (nCode < 0x10000)
    {
        *pOut++ = (char)(0xE0 | (nCode >> 12));
        *pOut++ = (char)(0x80 | ((nCode >> 6) & 0x3F));
        *pOut++ = (char)(0x80 | (nCode & 0x3F));
    }
    else
    {
        *pOut++ = (char)(0xF0 | (nCode >> 18));
        *pOut++ = (char)(0x80 | ((nCode >> 12) & 0x3F));
        *pOut++ = (char)(0x80 | ((nCode >> 6) & 0x3F));
        *pOut++ = (char)(0x80 | (nCode & 0x3F));
    }
    return pOut;
}

// Reads one reference after '&' (p points past it) and returns its end, or null when it is
// not one of the five predefined entities or a character reference to a legal character.
static const char *ReadReference(const char *p, const char *pEnd, unsigned long *pnCode)
{
    static const struct { const char *pszName; char ch; } s_aEntities[] =
        { { "lt;", '<' }, { "gt;", '>' }, { "amp;", '&' }, { "apos;", '\'' }, { "quot;", '"' } };
    for (size_t i = 0; i < ARRAYSIZE(s_aEntities); i++)
    {
        size_t cch = strlen(s_aEntities[i].pszName);
        if ((size_t)(pEnd - p) >= cch && memcmp(p, s_aEntities[i].pszName, cch) == 0)
        {
            *pnCode = (unsigned char)s_aEntities[i].ch;
            return p + cch;
        }
    }
    if (p >= pEnd || *p != '#')
        return NULL;
    p++;
    unsigned long nBase = 10;
    if (p < pEnd && *p == 'x')
    {
        nBase = 16;
        p++;
    }
    unsigned long nCode = 0;
    int nDigits = 0;
    for (; p < pEnd && *p != ';'; p++, nDigits++)
    {
        int nDigit;
        if (*p >= '0' && *p <= '9')
            nDigit = *p - '0';
        else if (nBase == 16 && *p >= 'a' && *p <= 'f')
            nDigit = *p - 'a' + 10;
        else if (nBase == 16 && *p >= 'A' && *p <= 'F')
            nDigit = *p - 'A' + 10;
        else
            return NULL;
        nCode = nCode * nBase + nDigit;
        if (nCode > 0x10FFFF)
            return NULL;
    }
    if (p >= pEnd || nDigits == 0 || !IsXmlChar(nCode))
        return NULL;
    *pnCode = nCode;
    return p + 1;
}

// Replaces references and line ends in place, as a reader of text or an attribute value sees
// them; FALSE for an undefined entity, a stray '&', or '<' in an attribute.
static BOOL TranslateInPlace(char *pText, size_t cb, BOOL bAttribute, size_t *pcbOut)
{
    const char *p = pText;
    const char *pEnd = pText + cb;
    char *pOut = pText;
    while (p < pEnd)
    {
        char ch = *p;
        if (ch == '&')
        {
            unsigned long nCode;
            p = ReadReference(p + 1, pEnd, &nCode);
            if (!p)
                return FALSE;
            pOut = PutUtf8(pOut, nCode);
            continue;
        }
        if (ch == '<' && bAttribute)
            return FALSE;
        if (ch == '\r')
        {
            ch = '\n';
            if (p + 1 < pEnd && p[1] == '\n')
                p++;
        }
        if (bAttribute && (ch == '\n' || ch == '\t'))
            ch = ' ';
        *pOut++ = ch;
        p++;
    }
    *pcbOut = pOut - pText;
    return TRUE;
}

static BOOL SetFromUtf8(DomCore *pNode, const char *p, size_t cb, BOOL bName)
{
    int cch = 0;
    if (cb)
    {
        cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, NULL, 0);
        if (cch <= 0)
            return FALSE;
    }
    WCHAR *psz = AllocWide(cch);
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

static BOOL Utf8IsName(const char *p, size_t cb)
{
    WCHAR szName[64];
    if (cb == 0)
        return FALSE;
    int cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, szName, ARRAYSIZE(szName));
    if (cch > 0)
        return XmlIsName(szName, cch);
    // Longer than any name here: check it from a heap copy.
    cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, NULL, 0);
    WCHAR *psz = cch > 0 ? AllocWide(cch) : NULL;
    if (!psz)
        return FALSE;
    BOOL bOk = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, psz, cch) == cch && XmlIsName(psz, cch);
    XmlDomFree(psz);
    return bOk;
}

static int CompareAttrNames(const void *pv1, const void *pv2)
{
    const XmlSrcAttr *p1 = *(const XmlSrcAttr *const *)pv1;
    const XmlSrcAttr *p2 = *(const XmlSrcAttr *const *)pv2;
    size_t cb = p1->name_size() < p2->name_size() ? p1->name_size() : p2->name_size();
    int n = memcmp(p1->name(), p2->name(), cb);
    if (n)
        return n;
    return p1->name_size() < p2->name_size() ? -1 : (p1->name_size() > p2->name_size() ? 1 : 0);
}

// An element may not name one attribute twice. Sorting keeps this quick for any count.
static BOOL AttributesUnique(XmlSrcNode *pSrc)
{
    size_t nCount = 0;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
        nCount++;
    if (nCount < 2)
        return TRUE;
    XmlSrcAttr **ppAttrs = (XmlSrcAttr **)XmlDomAlloc(nCount * sizeof(XmlSrcAttr *));
    if (!ppAttrs)
        return FALSE;
    size_t i = 0;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
        ppAttrs[i++] = pAttr;
    qsort(ppAttrs, nCount, sizeof(XmlSrcAttr *), CompareAttrNames);
    BOOL bUnique = TRUE;
    for (i = 1; i < nCount && bUnique; i++)
        bUnique = CompareAttrNames(&ppAttrs[i - 1], &ppAttrs[i]) != 0;
    XmlDomFree(ppAttrs);
    return bUnique;
}

static BOOL IsBlankText(const char *p, size_t cb)
{
    for (size_t i = 0; i < cb; i++)
    {
        if (!IsBlankA(p[i]))
            return FALSE;
    }
    return TRUE;
}

// version is 1.x, encoding a plain name, standalone yes or no.
static BOOL DeclarationValueValid(size_t nWhich, const char *p, size_t cb)
{
    if (nWhich == 2)
        return SameAsciiNoCase(p, cb, "yes") ? strncmp(p, "yes", 3) == 0 : (cb == 2 && strncmp(p, "no", 2) == 0);
    if (nWhich == 0 && (cb < 3 || p[0] != '1' || p[1] != '.'))
        return FALSE;
    for (size_t i = 0; i < cb; i++)
    {
        char ch = p[i];
        BOOL bDigit = ch >= '0' && ch <= '9';
        BOOL bNameChar = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '.' || ch == '_' || ch == '-';
        if (nWhich == 0 ? (i >= 2 && !bDigit) : !(bDigit || bNameChar))
            return FALSE;
    }
    return cb > 0;
}

// The declaration as its data text: version first, then encoding and standalone if given.
static BOOL BuildDeclaration(XmlSrcNode *pSrc, DomCore *pNode)
{
    static const char *const s_apszNames[] = { "version", "encoding", "standalone" };
    char szData[XML_DECL_SCAN_BYTES];
    size_t nData = 0;
    size_t nNext = 0;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
    {
        while (nNext < ARRAYSIZE(s_apszNames) && !SameAsciiNoCase(pAttr->name(), pAttr->name_size(), s_apszNames[nNext]))
            nNext++;
        if (nNext == ARRAYSIZE(s_apszNames) || (nData == 0 && nNext != 0))
            return FALSE;
        size_t cbName = pAttr->name_size(), cbValue = pAttr->value_size();
        if (nData + cbName + cbValue + 5 >= sizeof(szData) || !DeclarationValueValid(nNext, pAttr->value(), cbValue))
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

static BOOL BuildChild(XmlSrcNode *pSrc, DomCore *pParent, BOOL bFirst, BOOL bDeclarationAllowed, int nDepth)
{
    rapidxml::node_type nKind = pSrc->type();
    size_t cbValue = pSrc->value_size();
    DOMNodeType nType;
    switch (nKind)
    {
    case rapidxml::node_element:
        nType = NODE_ELEMENT;
        break;
    case rapidxml::node_data:
        if (!TranslateInPlace(pSrc->value(), cbValue, FALSE, &cbValue))
            return FALSE;
        // White space between elements is not kept, as with the component's default.
        if (IsBlankText(pSrc->value(), cbValue))
            return TRUE;
        nType = NODE_TEXT;
        break;
    case rapidxml::node_cdata:
        nType = NODE_CDATA_SECTION;
        break;
    case rapidxml::node_comment:
        if (FindText(pSrc->value(), "--") || (cbValue && pSrc->value()[cbValue - 1] == '-'))
            return FALSE;
        nType = NODE_COMMENT;
        break;
    case rapidxml::node_declaration:
        if (!bFirst || !bDeclarationAllowed)
            return FALSE;
        nType = NODE_PROCESSING_INSTRUCTION;
        break;
    case rapidxml::node_pi:
        // "xml" in any case is reserved for the declaration.
        if (pSrc->name_size() == 3 && SameAsciiNoCase(pSrc->name(), 3, "xml"))
            return FALSE;
        if (!Utf8IsName(pSrc->name(), pSrc->name_size()))
            return FALSE;
        nType = NODE_PROCESSING_INSTRUCTION;
        break;
    default:
        return TRUE;
    }

    DomCore *pNode = DomCreateNode(nType);
    if (!pNode)
        return FALSE;
    BOOL bOk;
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

static BOOL BuildElement(XmlSrcNode *pSrc, DomCore *pNode, int nDepth)
{
    if (nDepth > XMLDOM_MAX_DEPTH)
        return FALSE;
    if (!SetFromUtf8(pNode, pSrc->name(), pSrc->name_size(), TRUE))
        return FALSE;
    if (!AttributesUnique(pSrc))
        return FALSE;
    for (XmlSrcAttr *pAttr = pSrc->first_attribute(); pAttr; pAttr = pAttr->next_attribute())
    {
        size_t cbValue;
        if (!Utf8IsName(pAttr->name(), pAttr->name_size()) ||
            !TranslateInPlace(pAttr->value(), pAttr->value_size(), TRUE, &cbValue))
            return FALSE;
        DomCore *pTemp = DomCreateNode(NODE_TEXT);
        if (!pTemp)
            return FALSE;
        BOOL bOk = SetFromUtf8(pTemp, pAttr->name(), pAttr->name_size(), TRUE) &&
                   SetFromUtf8(pTemp, pAttr->value(), cbValue, FALSE) &&
                   pNode->AddAttr(pTemp->m_pszName, lstrlenW(pTemp->m_pszName),
                                  pTemp->m_pszValue, lstrlenW(pTemp->m_pszValue));
        pTemp->m_pItf->Release();
        if (!bOk)
            return FALSE;
    }
    return BuildChildren(pSrc, pNode, FALSE, nDepth);
}

// Read until the end rather than asking the size first: on the desktop the size query is one
// more trip to the file system's server and costs as much as the read itself, and a settings
// file fits the first chunk.
#define XML_READ_CHUNK_BYTES 4096

// While the other module replaces the file the open is refused for a moment; a little
// patience here reads the new file instead of failing the whole computation.
#define OPEN_TRIES 200
#define OPEN_PAUSE_MS 1

static HANDLE OpenForReading(const WCHAR *pszPath)
{
    for (int i = 0; ; i++)
    {
        HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || i + 1 >= OPEN_TRIES)
            return hFile;
        Sleep(OPEN_PAUSE_MS);
    }
}

static BYTE *ReadWholeFile(const WCHAR *pszPath, size_t *pcb)
{
    HANDLE hFile = OpenForReading(pszPath);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    size_t cbCapacity = XML_READ_CHUNK_BYTES;
    size_t cb = 0;
    BYTE *pb = (BYTE *)XmlDomAlloc(cbCapacity + 1);
    while (pb)
    {
        DWORD cbRead = 0;
        if (!ReadFile(hFile, pb + cb, (DWORD)(cbCapacity - cb), &cbRead, NULL))
        {
            XmlDomFree(pb);
            pb = NULL;
            break;
        }
        cb += cbRead;
        if (cb < cbCapacity)
            break;
        // Full: the file may go on. One byte past the limit is enough to refuse it.
        if (cbCapacity > XML_MAX_FILE_BYTES)
        {
            XmlDomFree(pb);
            pb = NULL;
            break;
        }
        size_t cbNew = cbCapacity * 2;
        if (cbNew > XML_MAX_FILE_BYTES)
            cbNew = XML_MAX_FILE_BYTES + 1;
        BYTE *pbNew = (BYTE *)XmlDomAlloc(cbNew + 1);
        if (pbNew)
            CopyMemory(pbNew, pb, cb);
        XmlDomFree(pb);
        pb = pbNew;
        cbCapacity = cbNew;
    }
    *pcb = cb;
    CloseHandle(hFile);
    return pb;
}

static char *LoadAsUtf8(const WCHAR *pszPath)
{
    size_t cb = 0;
    BYTE *pb = ReadWholeFile(pszPath, &cb);
    if (!pb)
        return NULL;
    size_t cch = 0;
    WCHAR *pszWide = DecodeBytes(pb, cb, &cch);
    XmlDomFree(pb);
    if (!pszWide)
        return NULL;
    char *pszUtf8 = AllCharsLegal(pszWide, cch) ? WideToUtf8(pszWide, cch) : NULL;
    XmlDomFree(pszWide);
    return pszUtf8;
}

BOOL XmlReadFile(DomCore *pDocument, const WCHAR *pszPath)
{
    char *pszText = LoadAsUtf8(pszPath);
    if (!pszText)
        return FALSE;
    BOOL bOk = FALSE;
    XmlParser *pParser = NULL;
    if (NestingWithinLimit(pszText))
    {
        void *pMemory = XmlDomAlloc(sizeof(XmlParser));
        if (pMemory)
            pParser = new (pMemory) XmlParser();
    }
    if (pParser)
    {
        pParser->set_allocator(ParserAlloc, ParserFree);
        // A declaration only counts at the very start of the file.
        BOOL bStartsWithDeclaration = strncmp(pszText, "<?xml", 5) == 0;
        bOk = ParseGuarded(pParser, pszText) &&
              BuildChildren(pParser, pDocument, bStartsWithDeclaration, 0) &&
              pDocument->DocumentElement() != NULL;
        pParser->~XmlParser();
        XmlDomFree(pParser);
    }
    XmlDomFree(pszText);
    return bOk;
}

BOOL XmlIsName(const WCHAR *psz, size_t cch)
{
    if (!psz || cch == 0)
        return FALSE;
    for (size_t i = 0; i < cch; i++)
    {
        WCHAR ch = psz[i];
        BOOL bStart = (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || ch == L'_' || ch == L':' ||
                      (ch >= 0xC0 && ch != 0xD7 && ch != 0xF7 && ch != 0x37E && !(ch >= 0x2000 && ch <= 0x206F));
        BOOL bMore = (ch >= L'0' && ch <= L'9') || ch == L'-' || ch == L'.' || ch == 0xB7 ||
                     (ch >= 0x300 && ch <= 0x36F) || ch == 0x203F || ch == 0x2040;
        if (!bStart && !(i > 0 && bMore))
            return FALSE;
    }
    return TRUE;
}
