// The well-formedness rules the parser leaves to us; see xml_validation.h.
#include "platform/xmldom/xml_validation.h"
#include "platform/xmldom/xml_rapidxml.h"
#include "platform/xmldom/dom_core.h"
#include <stdlib.h>
#include <string.h>

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

BOOL XmlUtf8IsName(const char *p, size_t cb)
{
    WCHAR szName[64];
    if (cb == 0)
        return FALSE;
    int cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, szName, ARRAYSIZE(szName));
    if (cch > 0)
        return XmlIsName(szName, cch);
    // Longer than any name here: check it from a heap copy.
    cch = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, NULL, 0);
    WCHAR *psz = cch > 0 ? (WCHAR *)XmlDomAlloc(cch * sizeof(WCHAR)) : NULL;
    if (!psz)
        return FALSE;
    BOOL bOk = MultiByteToWideChar(CP_UTF8, 0, p, (int)cb, psz, cch) == cch && XmlIsName(psz, cch);
    XmlDomFree(psz);
    return bOk;
}

BOOL XmlAllCharsLegal(const WCHAR *psz, size_t cch)
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

// Past a declaration with an internal subset ("<!DOCTYPE x [ ... ]>"), or null if unclosed.
static const char *SkipBracketedDeclaration(const char *p)
{
    int nBrackets = 0;
    for (p += 2; *p && (*p != '>' || nBrackets > 0); p++)
    {
        if (*p == '[')
            nBrackets++;
        else if (*p == ']')
            nBrackets--;
    }
    return *p ? p + 1 : NULL;
}

// Past a tag's '>' (quoted attribute values may hold '>'), or null; *pbEmpty for "<x/>".
static const char *SkipTag(const char *p, BOOL *pbEmpty)
{
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
    *pbEmpty = chLast == '/';
    return *p ? p + 1 : NULL;
}

BOOL XmlMarkupWithinLimits(const char *p)
{
    int nDepth = 0;
    while (p && *p)
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
            if (p)
                p += strlen(pszClose);
        }
        else if (p[1] == '!')
        {
            if (strncmp(p, "<!DOCTYPE", 9) != 0)
                return FALSE;
            p = SkipBracketedDeclaration(p);
        }
        else if (p[1] == '/')
        {
            nDepth--;
            p += 2;
        }
        else
        {
            BOOL bEmpty;
            p = SkipTag(p, &bEmpty);
            if (!bEmpty && ++nDepth > XMLDOM_MAX_DEPTH)
                return FALSE;
        }
    }
    return p != NULL;
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

BOOL XmlTranslateReferences(char *pText, size_t cb, BOOL bAttribute, size_t *pcbOut)
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

// Sorting keeps this quick for any count of attributes.
BOOL XmlAttributesUnique(XmlSrcNode *pSrc)
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

BOOL XmlCommentValid(const char *p, size_t cb)
{
    for (size_t i = 0; i + 1 < cb; i++)
    {
        if (p[i] == '-' && p[i + 1] == '-')
            return FALSE;
    }
    return cb == 0 || p[cb - 1] != '-';
}

BOOL XmlInstructionTargetValid(const char *p, size_t cb)
{
    return !(cb == 3 && XmlSameAsciiNoCase(p, 3, "xml")) && XmlUtf8IsName(p, cb);
}

BOOL XmlDeclarationValueValid(size_t nWhich, const char *p, size_t cb)
{
    if (nWhich == XML_DECL_STANDALONE)
        return (cb == 3 && strncmp(p, "yes", 3) == 0) || (cb == 2 && strncmp(p, "no", 2) == 0);
    if (nWhich == XML_DECL_VERSION && (cb < 3 || p[0] != '1' || p[1] != '.'))
        return FALSE;
    for (size_t i = 0; i < cb; i++)
    {
        char ch = p[i];
        BOOL bDigit = ch >= '0' && ch <= '9';
        BOOL bNameChar = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '.' || ch == '_' || ch == '-';
        if (nWhich == XML_DECL_VERSION ? (i >= 2 && !bDigit) : !(bDigit || bNameChar))
            return FALSE;
    }
    return cb > 0;
}
