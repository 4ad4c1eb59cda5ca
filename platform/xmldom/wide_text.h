#pragma once
#include "platform/xmldom/dom_core.h"

// A growing UTF-16 text; after a failed allocation it stays failed and takes nothing more.
struct WideText
{
    WCHAR *psz;
    size_t cch;
    size_t cchCapacity;
    BOOL bFailed;
};

void Put(WideText *pText, const WCHAR *psz, size_t cch);
