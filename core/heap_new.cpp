// The shipped modules allocate from the process heap directly, so they need no C++ runtime
// DLL beside them on the device. Allocation failure returns null: nothing here throws.
#include <windows.h>
#include <new>

void *operator new(size_t cb)
{
    return HeapAlloc(GetProcessHeap(), 0, cb ? cb : 1);
}

void *operator new[](size_t cb)
{
    return HeapAlloc(GetProcessHeap(), 0, cb ? cb : 1);
}

// The tag that "new (std::nothrow)" names lives in the C++ runtime DLL; our own copy keeps
// the modules from importing that DLL for one empty object.
namespace std
{
const nothrow_t nothrow{};
}

void *operator new(size_t cb, const std::nothrow_t &) noexcept
{
    return HeapAlloc(GetProcessHeap(), 0, cb ? cb : 1);
}

void *operator new[](size_t cb, const std::nothrow_t &) noexcept
{
    return HeapAlloc(GetProcessHeap(), 0, cb ? cb : 1);
}

void operator delete(void *p) noexcept
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}

void operator delete[](void *p) noexcept
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}

void operator delete(void *p, size_t) noexcept
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}

void operator delete[](void *p, size_t) noexcept
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}
