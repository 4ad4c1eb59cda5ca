#include "tests/bstr_counter.h"
#include <ole2.h>
#include <string.h>

static LONG s_nLive = 0;
static BSTR (WINAPI *s_pfnAllocString)(const OLECHAR *) = NULL;
static BSTR (WINAPI *s_pfnAllocStringLen)(const OLECHAR *, UINT) = NULL;
static void (WINAPI *s_pfnFreeString)(BSTR) = NULL;

static BSTR WINAPI CountedAllocString(const OLECHAR *psz)
{
    BSTR bstr = s_pfnAllocString(psz);
    if (bstr)
        InterlockedIncrement(&s_nLive);
    return bstr;
}

static BSTR WINAPI CountedAllocStringLen(const OLECHAR *psz, UINT cch)
{
    BSTR bstr = s_pfnAllocStringLen(psz, cch);
    if (bstr)
        InterlockedIncrement(&s_nLive);
    return bstr;
}

static void WINAPI CountedFreeString(BSTR bstr)
{
    if (bstr)
        InterlockedDecrement(&s_nLive);
    s_pfnFreeString(bstr);
}

static void Patch(void **ppSlot, void *pNew)
{
    DWORD dwOld;
    VirtualProtect(ppSlot, sizeof(void *), PAGE_READWRITE, &dwOld);
    *ppSlot = pNew;
    VirtualProtect(ppSlot, sizeof(void *), dwOld, &dwOld);
}

static void FindOriginals()
{
    if (s_pfnFreeString)
        return;
    HMODULE hOleAut = GetModuleHandleW(L"oleaut32.dll");
    s_pfnAllocString = (BSTR (WINAPI *)(const OLECHAR *))(void *)GetProcAddress(hOleAut, "SysAllocString");
    s_pfnAllocStringLen = (BSTR (WINAPI *)(const OLECHAR *, UINT))(void *)GetProcAddress(hOleAut, "SysAllocStringLen");
    s_pfnFreeString = (void (WINAPI *)(BSTR))(void *)GetProcAddress(hOleAut, "SysFreeString");
}

static void *CounterFor(const char *pszName)
{
    if (strcmp(pszName, "SysAllocString") == 0)
        return (void *)CountedAllocString;
    if (strcmp(pszName, "SysAllocStringLen") == 0)
        return (void *)CountedAllocStringLen;
    if (strcmp(pszName, "SysFreeString") == 0)
        return (void *)CountedFreeString;
    return NULL;
}

bool InstallBstrCounter(HMODULE hModule)
{
    if (!hModule || !GetModuleHandleW(L"oleaut32.dll"))
        return false;
    FindOriginals();
    BYTE *pBase = (BYTE *)hModule;
    IMAGE_NT_HEADERS *pNt = (IMAGE_NT_HEADERS *)(pBase + ((IMAGE_DOS_HEADER *)pBase)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int nPatched = 0;
    for (IMAGE_IMPORT_DESCRIPTOR *pDesc = (IMAGE_IMPORT_DESCRIPTOR *)(pBase + dir.VirtualAddress);
         pDesc->Name; pDesc++)
    {
        if (_stricmp((const char *)(pBase + pDesc->Name), "oleaut32.dll") != 0)
            continue;
        IMAGE_THUNK_DATA *pNames = (IMAGE_THUNK_DATA *)(pBase + pDesc->OriginalFirstThunk);
        IMAGE_THUNK_DATA *pSlots = (IMAGE_THUNK_DATA *)(pBase + pDesc->FirstThunk);
        for (; pNames->u1.AddressOfData; pNames++, pSlots++)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            void *pNew = CounterFor((const char *)((IMAGE_IMPORT_BY_NAME *)(pBase + pNames->u1.AddressOfData))->Name);
            if (!pNew)
                continue;
            if ((void *)pSlots->u1.Function != pNew)
                Patch((void **)&pSlots->u1.Function, pNew);
            nPatched++;
        }
    }
    return nPatched > 0;
}

LONG LiveBstrCount()
{
    return s_nLive;
}
