// Loading a file into the tree: its bytes, decoded by the declared encoding (xml_encoding),
// the checks the parser leaves out (xml_validation), then the parse (xml_parse).
#include "platform/xmldom/dom_document.h"
#include "platform/xmldom/xml_encoding.h"
#include "platform/xmldom/xml_parse.h"
#include "platform/xmldom/xml_validation.h"

// Beyond this a file is not a settings document, and reading it would only eat the memory.
#define XML_MAX_FILE_BYTES (32 * 1024 * 1024)

// Read until the end rather than asking the size first: on the desktop the size query is one
// more trip to the file system's server and costs as much as the read itself, and a settings
// file fits the first chunk.
#define XML_READ_CHUNK_BYTES 4096

// Reading lets others write, replace or delete the file meanwhile: what was read is whole
// either way, and nobody's save has to wait for us.
static HANDLE OpenForReading(const WCHAR *pszPath)
{
    return CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
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

// The file as UTF-8 text for the parser, or null when it cannot be read, is not in an encoding
// we read, or holds a character XML does not allow.
static char *LoadAsUtf8(const WCHAR *pszPath)
{
    size_t cb = 0;
    BYTE *pb = ReadWholeFile(pszPath, &cb);
    if (!pb)
        return NULL;
    size_t cch = 0;
    WCHAR *pszWide = XmlDecodeBytes(pb, cb, &cch);
    XmlDomFree(pb);
    if (!pszWide)
        return NULL;
    char *pszUtf8 = XmlAllCharsLegal(pszWide, cch) ? XmlWideToUtf8(pszWide, cch) : NULL;
    XmlDomFree(pszWide);
    return pszUtf8;
}

BOOL XmlReadFile(DomCore *pDocument, const WCHAR *pszPath)
{
    char *pszText = LoadAsUtf8(pszPath);
    if (!pszText)
        return FALSE;
    BOOL bOk = XmlMarkupWithinLimits(pszText) && XmlParseInto(pDocument, pszText);
    XmlDomFree(pszText);
    return bOk;
}
