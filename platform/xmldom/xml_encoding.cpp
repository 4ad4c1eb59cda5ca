// A document's text and its bytes on disk: which encoding the declaration names, bytes to
// UTF-16 when reading, UTF-16 to bytes when saving.
#include "platform/xmldom/xml_encoding.h"
#include "platform/xmldom/dom_core.h"
#include <string.h>

#define XML_DECL_SCAN_BYTES 256
#define XML_ENCODING_CCH 32

static const WCHAR ENCODING_KEY[] = L"encoding";
#define ENCODING_KEY_CCH (ARRAYSIZE(ENCODING_KEY) - 1)

static WCHAR LowerAscii(WCHAR ch)
{
    return (ch >= L'A' && ch <= L'Z') ? (WCHAR)(ch - L'A' + L'a') : ch;
}

static BOOL SameNameNoCase(const WCHAR *psz, size_t cch, const WCHAR *pszLower)
{
    size_t i = 0;
    for (; i < cch && pszLower[i]; i++)
    {
        if (LowerAscii(psz[i]) != pszLower[i])
            return FALSE;
    }
    return i == cch && pszLower[i] == 0;
}

static BOOL IsBlank(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

UINT XmlCodePageOfName(const WCHAR *pszName, size_t cch)
{
    if (SameNameNoCase(pszName, cch, L"utf-8"))
        return CP_UTF8;
    if (SameNameNoCase(pszName, cch, L"gb2312") || SameNameNoCase(pszName, cch, L"gbk"))
        return CP_GB2312;
    if (SameNameNoCase(pszName, cch, L"utf-16"))
        return CP_UTF16LE;
    return 0;
}

// Finds the encoding a leading XML declaration names, from its ASCII characters (anything else
// given as '?'). Returns FALSE for a declaration that cannot be read; an empty name means none
// was given.
static BOOL ReadDeclaredEncoding(const WCHAR *p, size_t cch, WCHAR *pszEncoding)
{
    pszEncoding[0] = 0;
    if (cch < 6 || p[0] != L'<' || p[1] != L'?' || p[2] != L'x' || p[3] != L'm' || p[4] != L'l' || !IsBlank(p[5]))
        return TRUE;
    size_t nEnd = 5;
    size_t nLimit = cch < XML_DECL_SCAN_BYTES ? cch : XML_DECL_SCAN_BYTES;
    while (nEnd + 1 < nLimit && !(p[nEnd] == L'?' && p[nEnd + 1] == L'>'))
        nEnd++;
    if (nEnd + 1 >= nLimit)
        return FALSE;
    for (size_t i = 5; i + ENCODING_KEY_CCH < nEnd; i++)
    {
        if (!IsBlank(p[i - 1]) || memcmp(p + i, ENCODING_KEY, ENCODING_KEY_CCH * sizeof(WCHAR)) != 0)
            continue;
        size_t j = i + ENCODING_KEY_CCH;
        while (j < nEnd && IsBlank(p[j]))
            j++;
        if (j >= nEnd || p[j] != L'=')
            return FALSE;
        j++;
        while (j < nEnd && IsBlank(p[j]))
            j++;
        if (j >= nEnd || (p[j] != L'"' && p[j] != L'\''))
            return FALSE;
        WCHAR chQuote = p[j++];
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

// The declaration is ASCII in any byte encoding we read: its head, one character per byte.
static BOOL ReadDeclaredEncodingOfBytes(const BYTE *pb, size_t cb, WCHAR *pszEncoding)
{
    WCHAR szHead[XML_DECL_SCAN_BYTES];
    size_t cch = cb < XML_DECL_SCAN_BYTES ? cb : XML_DECL_SCAN_BYTES;
    for (size_t i = 0; i < cch; i++)
        szHead[i] = pb[i] < 0x80 ? (WCHAR)pb[i] : L'?';
    return ReadDeclaredEncoding(szHead, cch, pszEncoding);
}

static WCHAR *AllocWide(size_t cch)
{
    return (WCHAR *)XmlDomAlloc((cch + 1) * sizeof(WCHAR));
}

static WCHAR *DecodeUtf16(const BYTE *pb, size_t cb, size_t *pcch)
{
    if (cb % 2)
        return NULL;
    BOOL bBigEndian = pb[0] == 0xFE;
    size_t cch = (cb - 2) / 2;
    WCHAR *pszWide = AllocWide(cch);
    if (!pszWide)
        return NULL;
    for (size_t i = 0; i < cch; i++)
    {
        BYTE b0 = pb[2 + 2 * i], b1 = pb[3 + 2 * i];
        pszWide[i] = bBigEndian ? (WCHAR)((b0 << 8) | b1) : (WCHAR)((b1 << 8) | b0);
    }
    pszWide[cch] = 0;
    // The declaration may name UTF-16 or nothing; anything else contradicts the mark.
    WCHAR szEncoding[XML_ENCODING_CCH];
    if (!ReadDeclaredEncoding(pszWide, cch, szEncoding) ||
        (szEncoding[0] && XmlCodePageOfName(szEncoding, lstrlenW(szEncoding)) != CP_UTF16LE))
    {
        XmlDomFree(pszWide);
        return NULL;
    }
    *pcch = cch;
    return pszWide;
}

WCHAR *XmlDecodeBytes(const BYTE *pb, size_t cb, size_t *pcch)
{
    if (cb >= 2 && ((pb[0] == 0xFF && pb[1] == 0xFE) || (pb[0] == 0xFE && pb[1] == 0xFF)))
        return DecodeUtf16(pb, cb, pcch);

    BOOL bBom = cb >= 3 && pb[0] == 0xEF && pb[1] == 0xBB && pb[2] == 0xBF;
    if (bBom)
    {
        pb += 3;
        cb -= 3;
    }
    WCHAR szEncoding[XML_ENCODING_CCH];
    if (!ReadDeclaredEncodingOfBytes(pb, cb, szEncoding))
        return NULL;
    UINT nCodePage = szEncoding[0] ? XmlCodePageOfName(szEncoding, lstrlenW(szEncoding)) : CP_UTF8;
    // UTF-16 bytes come with their mark, handled above.
    if (nCodePage == 0 || nCodePage == CP_UTF16LE || (bBom && nCodePage != CP_UTF8))
        return NULL;
    if (cb == 0 || cb > (size_t)INT_MAX)
        return NULL;

    int cch = MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, (LPCSTR)pb, (int)cb, NULL, 0);
    if (cch <= 0)
        return NULL;
    WCHAR *pszWide = AllocWide(cch);
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

char *XmlWideToUtf8(const WCHAR *psz, size_t cch)
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

UINT XmlCodePageOfDeclaration(const WCHAR *pszData)
{
    const WCHAR *p = pszData;
    for (; *p; p++)
    {
        if (wcsncmp(p, ENCODING_KEY, ENCODING_KEY_CCH) == 0 && (p == pszData || IsBlank(p[-1])))
            break;
    }
    if (!*p)
        return CP_UTF8;
    p += ENCODING_KEY_CCH;
    while (IsBlank(*p) || *p == L'=')
        p++;
    if (*p != L'"' && *p != L'\'')
        return 0;
    WCHAR chQuote = *p++;
    const WCHAR *pEnd = p;
    while (*pEnd && *pEnd != chQuote)
        pEnd++;
    return XmlCodePageOfName(p, pEnd - p);
}

// Without "best fit" the code page may not stand in a look-alike for a character it lacks.
// UTF-8 takes no flags.
static int EncodeFlags(UINT nCodePage)
{
    return nCodePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

BOOL XmlCanEncode(UINT nCodePage, const WCHAR *psz, size_t cch)
{
    if (nCodePage == CP_UTF16LE)
        return TRUE;
    BOOL bLossy = FALSE;
    BOOL *pbLossy = nCodePage == CP_UTF8 ? NULL : &bLossy;
    int cb = WideCharToMultiByte(nCodePage, EncodeFlags(nCodePage), psz, (int)cch, NULL, 0, NULL, pbLossy);
    return cb > 0 && !bLossy;
}

HRESULT XmlEncodeText(UINT nCodePage, const WCHAR *psz, size_t cch, BYTE **ppb, DWORD *pcb)
{
    *ppb = NULL;
    *pcb = 0;
    if (nCodePage == CP_UTF16LE)
    {
        DWORD cb = (DWORD)(cch * sizeof(WCHAR));
        BYTE *pb = (BYTE *)XmlDomAlloc(cb ? cb : 1);
        if (!pb)
            return E_OUTOFMEMORY;
        CopyMemory(pb, psz, cb);
        *ppb = pb;
        *pcb = cb;
        return S_OK;
    }
    // A character the code page cannot hold would come back as '?': refuse rather than
    // store something other than what was set.
    if (!XmlCanEncode(nCodePage, psz, cch))
        return E_FAIL;
    int cb = WideCharToMultiByte(nCodePage, EncodeFlags(nCodePage), psz, (int)cch, NULL, 0, NULL, NULL);
    BYTE *pb = (BYTE *)XmlDomAlloc(cb);
    if (!pb)
        return E_OUTOFMEMORY;
    WideCharToMultiByte(nCodePage, EncodeFlags(nCodePage), psz, (int)cch, (LPSTR)pb, cb, NULL, NULL);
    *ppb = pb;
    *pcb = (DWORD)cb;
    return S_OK;
}
