// For the bench only: the whole tree a node belongs to written out node by node, so that a
// document before and after a save can be compared in everything the user stored. Each field
// carries its length, so no two trees give one text; texts side by side count as one, as
// they are once written; the declaration's quotes are the writer's choice, not the user's.
#include "platform/xmldom/wide_text.h"

namespace {

void PutNumber(WideText *pOut, size_t n)
{
    WCHAR sz[16];
    int i = ARRAYSIZE(sz);
    do
    {
        sz[--i] = (WCHAR)(L'0' + n % 10);
        n /= 10;
    } while (n && i > 0);
    Put(pOut, sz + i, ARRAYSIZE(sz) - i);
}

void PutField(WideText *pOut, const WCHAR *psz, size_t cch, BOOL bDeclaration)
{
    PutNumber(pOut, cch);
    Put(pOut, L":", 1);
    for (size_t i = 0; i < cch; i++)
        Put(pOut, (bDeclaration && psz[i] == L'\'') ? L"\"" : psz + i, 1);
}

void PutString(WideText *pOut, const WCHAR *psz, BOOL bDeclaration)
{
    PutField(pOut, psz ? psz : L"", psz ? lstrlenW(psz) : 0, bDeclaration);
}

void PutNode(WideText *pOut, const DomCore *pNode)
{
    BOOL bDeclaration = pNode->m_nType == NODE_PROCESSING_INSTRUCTION && pNode->m_pszName
                     && wcscmp(pNode->m_pszName, L"xml") == 0;
    Put(pOut, L"(", 1);
    PutNumber(pOut, pNode->m_nType);
    PutString(pOut, pNode->m_pszName, FALSE);
    PutString(pOut, pNode->m_pszValue, bDeclaration);
    for (const XmlDomAttr *pAttr = pNode->m_pFirstAttr; pAttr; pAttr = pAttr->pNext)
    {
        Put(pOut, L"@", 1);
        PutString(pOut, pAttr->pszName, FALSE);
        PutString(pOut, pAttr->pszValue, FALSE);
    }
    for (const DomCore *pChild = pNode->m_pFirst; pChild; pChild = pChild->m_pNext)
    {
        if (pChild->m_nType != NODE_TEXT)
        {
            PutNode(pOut, pChild);
            continue;
        }
        WideText text = { NULL, 0, 0, FALSE };
        for (;; pChild = pChild->m_pNext)
        {
            if (pChild->m_pszValue)
                Put(&text, pChild->m_pszValue, lstrlenW(pChild->m_pszValue));
            if (!pChild->m_pNext || pChild->m_pNext->m_nType != NODE_TEXT)
                break;
        }
        pOut->bFailed |= text.bFailed;
        Put(pOut, L"(", 1);
        PutNumber(pOut, NODE_TEXT);
        PutField(pOut, L"", 0, FALSE);
        PutField(pOut, text.psz ? text.psz : L"", text.cch, FALSE);
        Put(pOut, L")", 1);
        XmlDomFree(text.psz);
    }
    Put(pOut, L")", 1);
}

}  // namespace

extern "C" HRESULT WINAPI XmlDomDescribeTree(IUnknown *pNode, BSTR *pbstr)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = NULL;
    const DomCore *pTop = pNode ? DomCore::Of(pNode) : NULL;
    if (!pTop)
        return E_INVALIDARG;
    while (pTop->m_pParent)
        pTop = pTop->m_pParent;
    WideText out = { NULL, 0, 0, FALSE };
    PutNode(&out, pTop);
    HRESULT hr = out.bFailed ? E_OUTOFMEMORY : S_OK;
    if (hr == S_OK && !(*pbstr = SysAllocStringLen(out.psz, (UINT)out.cch)))
        hr = E_OUTOFMEMORY;
    XmlDomFree(out.psz);
    return hr;
}
