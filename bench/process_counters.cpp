// The process's counters, and where Wine gives none, the GDI handle table, the USER handle
// indexes and the kernel handle values counted one by one. GetProcessHandleCount and the
// extended memory counters need a newer header level than the deliverables are built for.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "bench/process_counters.h"
#include "platform/xmldom/xmldom_seams.h"
#include <psapi.h>

namespace {

// One entry of the GDI handle table as the PEB shows it (Windows and Wine alike, 24 bytes).
#pragma pack(push, 1)
struct GdiHandleEntry
{
    ULONGLONG nObject;
    USHORT nProcessId;
    USHORT nLockCount;
    USHORT nUnique;
    UCHAR nType;
    UCHAR nFlags;
    ULONGLONG nUserPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
const int GDI_HANDLE_ENTRIES = 0x10000;
// Where the TEB keeps the PEB, and the PEB the table: the 32-bit and the 64-bit layouts.
const bool IS_64BIT = sizeof(void *) == 8;
const size_t TEB_PEB_OFFSET = IS_64BIT ? 0x60 : 0x30;
const size_t PEB_GDI_TABLE_OFFSET = IS_64BIT ? 0xF8 : 0x94;

const GdiHandleEntry *GdiTable()
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    BYTE *pPeb = *(BYTE **)((BYTE *)NtCurrentTeb() + TEB_PEB_OFFSET);
#pragma GCC diagnostic pop
    return pPeb ? *(const GdiHandleEntry *const *)(pPeb + PEB_GDI_TABLE_OFFSET) : NULL;
}

// Wine keeps a table per process and leaves the owner 0.
const int GDI_ANY_OWNER = -1;

// Entries owned by a given owner value; -1 without a table.
long CountGdiOwnedBy(int nOwner)
{
    const GdiHandleEntry *pTable = GdiTable();
    if (!pTable)
        return -1;
    long n = 0;
    for (int i = 0; i < GDI_HANDLE_ENTRIES; i++)
        if (pTable[i].nType && (nOwner == GDI_ANY_OWNER || pTable[i].nProcessId == nOwner))
            n++;
    return n;
}

// The owner value this process's objects carry: the one whose count grows by the brushes made.
bool FindGdiOwner(int *pnOwner)
{
    static int s_nKnown = -1;
    static int s_nOwner = 0;
    if (s_nKnown >= 0)
    {
        *pnOwner = s_nOwner;
        return s_nKnown == 1;
    }
    s_nKnown = 0;
    const int aCandidates[] = { (USHORT)GetCurrentProcessId(), (USHORT)(GetCurrentProcessId() >> 2), GDI_ANY_OWNER };
    for (int nOwner : aCandidates)
    {
        long nBefore = CountGdiOwnedBy(nOwner);
        HBRUSH ahBrushes[5];
        for (int i = 0; i < 5; i++)
            ahBrushes[i] = CreateSolidBrush(RGB(i, 1, 2));
        long nWith = CountGdiOwnedBy(nOwner);
        for (int i = 0; i < 5; i++)
            DeleteObject(ahBrushes[i]);
        long nAfter = CountGdiOwnedBy(nOwner);
        if (nBefore >= 0 && nWith == nBefore + 5 && nAfter == nBefore)
        {
            s_nKnown = 1;
            s_nOwner = nOwner;
            break;
        }
    }
    *pnOwner = s_nOwner;
    return s_nKnown == 1;
}

// USER handles are an index from 0x20 in steps of 2 in the low word; a handle with a zero high
// word stands for whichever object holds that index.
DWORD CountUserObjects()
{
    const DWORD FIRST_USER_HANDLE = 0x20, LAST_USER_HANDLE = 0xFFEF;
    DWORD dwOwn = GetCurrentProcessId(), n = 0;
    for (DWORD dw = FIRST_USER_HANDLE; dw <= LAST_USER_HANDLE; dw += 2)
    {
        DWORD dwProcess = 0;
        if (GetWindowThreadProcessId((HWND)(UINT_PTR)dw, &dwProcess) && dwProcess == dwOwn)
        {
            n++;
            continue;
        }
        ICONINFO ii;
        if (GetIconInfo((HICON)(UINT_PTR)dw, &ii))
        {
            if (ii.hbmMask)
                DeleteObject(ii.hbmMask);
            if (ii.hbmColor)
                DeleteObject(ii.hbmColor);
            n++;
        }
    }
    return n;
}

DWORD CountKernelHandles()
{
    DWORD n = 0;
    for (DWORD dw = 4; dw < 0x10000; dw += 4)
    {
        DWORD dwFlags = 0;
        if (GetHandleInformation((HANDLE)(UINT_PTR)dw, &dwFlags))
            n++;
    }
    return n;
}

}  // namespace

ProcessCounters ReadProcessCounters()
{
    ProcessCounters counters;
    ZeroMemory(&counters, sizeof(counters));
    HANDLE hProcess = GetCurrentProcess();
    counters.dwGdiObjects = GetGuiResources(hProcess, GR_GDIOBJECTS);
    counters.dwUserObjects = GetGuiResources(hProcess, GR_USEROBJECTS);
    GetProcessHandleCount(hProcess, &counters.dwHandles);
    PROCESS_MEMORY_COUNTERS_EX pmc;
    ZeroMemory(&pmc, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(hProcess, (PROCESS_MEMORY_COUNTERS *)&pmc, sizeof(pmc)))
        counters.cbPrivate = pmc.PrivateUsage;

    int nOwner = 0;
    if (counters.dwGdiObjects == 0 && FindGdiOwner(&nOwner))
    {
        counters.dwGdiObjects = (DWORD)CountGdiOwnedBy(nOwner);
        counters.bGdiCounted = true;
    }
    if (counters.dwUserObjects == 0)
    {
        counters.dwUserObjects = CountUserObjects();
        counters.bUserCounted = true;
    }
    if (counters.dwHandles == 0)
    {
        counters.dwHandles = CountKernelHandles();
        counters.bHandlesCounted = true;
    }

    HANDLE ahHeaps[64];
    DWORD nHeaps = GetProcessHeaps(ARRAYSIZE(ahHeaps), ahHeaps);
    for (DWORD i = 0; i < nHeaps && i < ARRAYSIZE(ahHeaps); i++)
    {
        if (!HeapLock(ahHeaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry;
        ZeroMemory(&entry, sizeof(entry));
        while (HeapWalk(ahHeaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                counters.cbHeapInUse += entry.cbData;
        HeapUnlock(ahHeaps[i]);
    }
    return counters;
}

LONG DomClassObjectReferences()
{
    XMLDOM_SERVER_LOCKS pfn = (XMLDOM_SERVER_LOCKS)(void *)GetProcAddress(GetModuleHandleW(L"xmldom.dll"),
                                                                         XMLDOM_SERVER_LOCKS_EXPORT);
    return pfn ? pfn() : -1;
}
