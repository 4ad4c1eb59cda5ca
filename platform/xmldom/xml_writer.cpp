// Saving the tree: the declaration, then the tree, each top-level node on its own line, in the
// encoding the declaration names, written to the named file in place as the platform's
// component does. Replacing a file safely is the caller's business.
#include "platform/xmldom/dom_document.h"
#include "platform/xmldom/xml_encoding.h"
#include "platform/xmldom/wide_text.h"
#include <strsafe.h>

static const WCHAR LINE_END[] = L"\r\n";

static void PutString(WideText *pText, const WCHAR *psz)
{
    if (psz)
        Put(pText, psz, lstrlenW(psz));
}

// A character reference for the character at p (one UTF-16 unit or a surrogate pair).
static void PutCharReference(WideText *pText, const WCHAR *p, size_t cchChar)
{
    UINT nCode = cchChar == 2 ? 0x10000 + (((UINT)p[0] - 0xD800) << 10) + ((UINT)p[1] - 0xDC00) : p[0];
    WCHAR szRef[16];
    StringCchPrintfW(szRef, ARRAYSIZE(szRef), L"&#x%X;", nCode);
    PutString(pText, szRef);
}

// Text and attribute values: markup characters as entities, and a character the document's
// encoding cannot hold as a character reference, as XML writers do. A lone surrogate is no
// character at all and is left for the encoding to refuse.
static void PutEscaped(WideText *pText, const WCHAR *psz, BOOL bAttribute, UINT nCodePage)
{
    if (!psz)
        return;
    const WCHAR *pRun = psz;
    for (const WCHAR *p = psz; ; p++)
    {
        const WCHAR *pszEntity = NULL;
        size_t cchChar = 0;
        switch (*p)
        {
        case L'&':  pszEntity = L"&amp;"; break;
        case L'<':  pszEntity = L"&lt;"; break;
        case L'>':  pszEntity = L"&gt;"; break;
        case L'"':  pszEntity = bAttribute ? L"&quot;" : NULL; break;
        case L'\r': pszEntity = L"&#13;"; break;
        default:
            if (*p >= 0x80 && !IS_LOW_SURROGATE(*p))
            {
                size_t cch = IS_HIGH_SURROGATE(*p) ? (IS_LOW_SURROGATE(p[1]) ? 2 : 0) : 1;
                if (cch && !XmlCanEncode(nCodePage, p, cch))
                    cchChar = cch;
                else if (cch == 2)
                    p++;
            }
            break;
        }
        if (!pszEntity && !cchChar && *p)
            continue;
        Put(pText, pRun, p - pRun);
        if (!*p)
            break;
        if (cchChar)
        {
            PutCharReference(pText, p, cchChar);
            p += cchChar - 1;
        }
        else
        {
            PutString(pText, pszEntity);
        }
        pRun = p + 1;
    }
}

// The declaration is written with double quotes, however it was given.
static void PutInstructionData(WideText *pText, const WCHAR *pszTarget, const WCHAR *pszData)
{
    if (wcscmp(pszTarget, L"xml") != 0)
    {
        PutString(pText, pszData);
        return;
    }
    for (const WCHAR *p = pszData; *p; p++)
        Put(pText, *p == L'\'' ? L"\"" : p, 1);
}

// Names, comments, instructions and CDATA sections cannot hold references: a character the
// encoding lacks there fails the save (see Serialise), as it does with other XML writers.
static void PutNode(WideText *pText, DomCore *pNode, UINT nCodePage)
{
    switch (pNode->m_nType)
    {
    case NODE_ELEMENT:
        Put(pText, L"<", 1);
        PutString(pText, pNode->m_pszName);
        for (XmlDomAttr *pAttr = pNode->m_pFirstAttr; pAttr; pAttr = pAttr->pNext)
        {
            Put(pText, L" ", 1);
            PutString(pText, pAttr->pszName);
            Put(pText, L"=\"", 2);
            PutEscaped(pText, pAttr->pszValue, TRUE, nCodePage);
            Put(pText, L"\"", 1);
        }
        if (!pNode->m_pFirst)
        {
            Put(pText, L"/>", 2);
            break;
        }
        Put(pText, L">", 1);
        for (DomCore *p = pNode->m_pFirst; p; p = p->m_pNext)
            PutNode(pText, p, nCodePage);
        Put(pText, L"</", 2);
        PutString(pText, pNode->m_pszName);
        Put(pText, L">", 1);
        break;
    case NODE_TEXT:
        PutEscaped(pText, pNode->m_pszValue, FALSE, nCodePage);
        break;
    case NODE_CDATA_SECTION:
        PutString(pText, L"<![CDATA[");
        PutString(pText, pNode->m_pszValue);
        PutString(pText, L"]]>");
        break;
    case NODE_COMMENT:
        PutString(pText, L"<!--");
        PutString(pText, pNode->m_pszValue);
        PutString(pText, L"-->");
        break;
    case NODE_PROCESSING_INSTRUCTION:
        Put(pText, L"<?", 2);
        PutString(pText, pNode->m_pszName);
        if (pNode->m_pszValue && pNode->m_pszValue[0])
        {
            Put(pText, L" ", 1);
            PutInstructionData(pText, pNode->m_pszName, pNode->m_pszValue);
        }
        Put(pText, L"?>", 2);
        break;
    default:
        break;
    }
}

// The code page the document's own declaration names; UTF-8 without one, 0 for a name we
// cannot write.
static UINT CodePageToWrite(DomCore *pDocument)
{
    DomCore *pDecl = pDocument->m_pFirst;
    if (!pDecl || pDecl->m_nType != NODE_PROCESSING_INSTRUCTION || wcscmp(pDecl->m_pszName, L"xml") != 0 ||
        !pDecl->m_pszValue)
        return CP_UTF8;
    return XmlCodePageOfDeclaration(pDecl->m_pszValue);
}

// The document's bytes as they go to disk, or a failure status.
static HRESULT Serialise(DomCore *pDocument, BYTE **ppb, DWORD *pcb)
{
    *ppb = NULL;
    UINT nCodePage = CodePageToWrite(pDocument);
    if (nCodePage == 0)
        return E_FAIL;
    WideText text = { NULL, 0, 0, FALSE };
    if (nCodePage == CP_UTF16LE)
        Put(&text, L"\xFEFF", 1);
    for (DomCore *p = pDocument->m_pFirst; p; p = p->m_pNext)
    {
        PutNode(&text, p, nCodePage);
        Put(&text, LINE_END, 2);
    }
    HRESULT hr = text.bFailed ? E_OUTOFMEMORY : XmlEncodeText(nCodePage, text.psz, text.cch, ppb, pcb);
    XmlDomFree(text.psz);
    return hr;
}

static HRESULT LastErrorStatus()
{
    DWORD dwError = GetLastError();
    return dwError ? HRESULT_FROM_WIN32(dwError) : E_FAIL;
}

// The whole text is made before the file is opened, so a document that cannot be written in
// its encoding leaves the file untouched; a write that fails midway leaves what it wrote.
HRESULT XmlWriteFile(DomCore *pDocument, const WCHAR *pszPath)
{
    BYTE *pb = NULL;
    DWORD cb = 0;
    HRESULT hr = Serialise(pDocument, &pb, &cb);
    if (SUCCEEDED(hr))
    {
        HANDLE hFile = CreateFileW(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
        {
            hr = LastErrorStatus();
        }
        else
        {
            DWORD cbWritten = 0;
            if (!WriteFile(hFile, pb, cb, &cbWritten, NULL) || cbWritten != cb)
                hr = LastErrorStatus();
            if (!CloseHandle(hFile) && SUCCEEDED(hr))
                hr = LastErrorStatus();
        }
    }
    XmlDomFree(pb);
    return hr;
}
