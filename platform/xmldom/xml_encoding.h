#pragma once
#include <windows.h>
#include <stddef.h>

// Encodings a document may be read in and saved in: UTF-8 (also without a declaration),
// GB2312 (GBK read alike, the same code page) and UTF-16 with a byte-order mark.
#define CP_GB2312 936
#define CP_UTF16LE 1200

// The code page an encoding name stands for, regardless of case; 0 for one we do not handle.
UINT XmlCodePageOfName(const WCHAR *pszName, size_t cch);

// The file's bytes as UTF-16 (mark dropped, NUL-terminated, *pcch characters), or null when the
// encoding is unknown, the bytes are not valid in it, or the declaration contradicts the
// byte-order mark. Free with XmlDomFree.
WCHAR *XmlDecodeBytes(const BYTE *pb, size_t cb, size_t *pcch);

// UTF-16 as NUL-terminated UTF-8, or null. Free with XmlDomFree.
char *XmlWideToUtf8(const WCHAR *psz, size_t cch);

// The code page a declaration's data text names (version="1.0" encoding="GB2312"): UTF-8 when
// it names none, 0 for one we cannot write.
UINT XmlCodePageOfDeclaration(const WCHAR *pszData);

// True when every character of the text has its own bytes in the code page.
BOOL XmlCanEncode(UINT nCodePage, const WCHAR *psz, size_t cch);

// The text's bytes in the code page (UTF-16 as little-endian with its mark at the front of the
// text already); E_FAIL when a character has no bytes there. Free *ppb with XmlDomFree.
HRESULT XmlEncodeText(UINT nCodePage, const WCHAR *psz, size_t cch, BYTE **ppb, DWORD *pcb);
