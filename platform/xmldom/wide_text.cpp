#include "platform/xmldom/wide_text.h"

void Put(WideText *pText, const WCHAR *psz, size_t cch)
{
    if (pText->bFailed)
        return;
    if (pText->cch + cch > pText->cchCapacity)
    {
        size_t cchNew = (pText->cchCapacity + cch) * 2 + 256;
        WCHAR *pszNew = (WCHAR *)XmlDomAlloc(cchNew * sizeof(WCHAR));
        if (!pszNew)
        {
            pText->bFailed = TRUE;
            return;
        }
        if (pText->cch)
            CopyMemory(pszNew, pText->psz, pText->cch * sizeof(WCHAR));
        XmlDomFree(pText->psz);
        pText->psz = pszNew;
        pText->cchCapacity = cchNew;
    }
    CopyMemory(pText->psz + pText->cch, psz, cch * sizeof(WCHAR));
    pText->cch += cch;
}

