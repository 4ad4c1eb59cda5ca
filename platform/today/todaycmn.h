#pragma once
// The Today shell's records and messages, laid out as the device's SDK header of the same
// name lays them out, so an item built here builds unchanged for the device.
#include <windows.h>

#define MAX_ITEMNAME 260

// Signalled (manual reset) once the shell has its windows and lays items out.
#define SHELL_API_READY_EVENT L"SYSTEM/ShellAPIReady"

// What kind of entry a Today item is (registry value "Type" under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Today\Items\<name>).
typedef enum _TODAYLISTITEMTYPE
{
    tlitOwnerInfo = 0,
    tlitAppointments,
    tlitMail,
    tlitTasks,
    tlitCustom,          // 4: an item library of its own
    tlitNil
} TODAYLISTITEMTYPE;
typedef TODAYLISTITEMTYPE TODAYITEMTYPE;

// The shell's record of one item; the shell owns it and passes it to the item.
typedef struct _TODAYLISTITEM
{
    WCHAR szName[MAX_ITEMNAME];    // the item's key name under ...\Today\Items
    TODAYITEMTYPE tlit;
    DWORD dwOrder;                 // items are stacked by this, smallest first
    DWORD cyp;                     // height in pixels, set by the item in the refresh query
    BOOL fEnabled;
    BOOL fOptions;                 // the item has an options dialog (ordinal 241)
    DWORD grflags;                 // the item's own flags (registry value "Flags")
    WCHAR szDLLPath[MAX_PATH];
    HINSTANCE hinstDLL;
    HWND hwndCustom;               // the item's window, as ordinal 240 returned it
    BOOL fSizeOnDraw;
    BYTE *prgbCachedData;
    DWORD cbCachedData;
} TODAYLISTITEM;

// Asks the shell to paint its background under part of an item (TODAYM_DRAWWATERMARK).
typedef struct
{
    HDC hdc;       // where to paint, e.g. the DC of WM_ERASEBKGND
    RECT rc;       // what to paint, in the item window's client coordinates
    HWND hwnd;     // the item window
} TODAYDRAWWATERMARKINFO;

// Sent by an item to its parent, the Today window.
#define TODAYM_GETCOLOR         (WM_USER + 100)   // wParam: a TODAYCOLOR_ id; answer: COLORREF
#define TODAYM_DRAWWATERMARK    (WM_USER + 101)   // lParam: TODAYDRAWWATERMARKINFO *; answer: TRUE when painted

// Colour ids for TODAYM_GETCOLOR.
#define TODAYCOLOR_TEXT             0x10000004
#define TODAYCOLOR_HIGHLIGHT        0x10000022
#define TODAYCOLOR_HIGHLIGHTEDTEXT  0x10000023

// Sent by the shell to an item window; wParam points to the item's TODAYLISTITEM.
#define WM_TODAYCUSTOM_CLEARCACHE           (WM_USER + 242)
#define WM_TODAYCUSTOM_QUERYREFRESHCACHE    (WM_USER + 243)   // answer TRUE after setting cyp to re-lay out
#define WM_TODAYCUSTOM_RECEIVEDSELECTION    (WM_USER + 244)
#define WM_TODAYCUSTOM_LOSTSELECTION        (WM_USER + 245)
#define WM_TODAYCUSTOM_USERNAVIGATION       (WM_USER + 246)
#define WM_TODAYCUSTOM_ACTION               (WM_USER + 247)

// An item library exports these by ordinal only (a .def file with NONAME).
#define ORDINAL_INITIALIZEITEM      240
#define ORDINAL_OPTIONSDIALOGPROC   241

// The exports are APIENTRY functions: on the 32-bit desktop target that is __stdcall, so the
// item must declare InitializeCustomItem and CustomItemOptionsDlgProc with APIENTRY too.
typedef HWND (APIENTRY *PFNCUSTOMINITIALIZE)(TODAYLISTITEM *ptli, HWND hwndParent);
typedef BOOL (APIENTRY *PFNCUSTOMOPTIONSDLGPROC)(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
