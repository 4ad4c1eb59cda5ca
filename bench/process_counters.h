#pragma once
// The process's object and memory counters: GDI and USER objects, kernel handles, private
// and heap bytes, counted by hand where Wine answers 0; and the references it holds to the XML
// DOM server's class object.
#include <windows.h>

// Wine answers GetGuiResources, GetProcessHandleCount and PrivateUsage with 0, so where they
// give nothing the objects are counted directly: GDI objects in the process's GDI handle
// table (the PEB's shared table, owner = this process), USER objects by asking every USER
// handle index whether it is a window of this process or an icon, kernel handles by asking
// every handle value for its flags. The *Counted fields say which way each figure was had.
struct ProcessCounters
{
    DWORD dwGdiObjects;
    DWORD dwUserObjects;
    DWORD dwHandles;
    SIZE_T cbPrivate;     // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage (0 under Wine)
    SIZE_T cbHeapInUse;   // busy blocks of every heap of the process, by HeapWalk
    bool bGdiCounted;
    bool bUserCounted;
    bool bHandlesCounted;
};
ProcessCounters ReadProcessCounters();

// The references to the XML DOM stand-in's class object held in this process, and the locks of
// the server, by its own count; -1 while the server is not loaded.
LONG DomClassObjectReferences();
