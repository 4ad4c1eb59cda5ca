#pragma once
// The Pocket PC shell library, as far as this program uses it: full-screen windows and
// dialogs, soft-key menu bars built from menu resources, image resources, and the input
// panel's activation chores. Records and constants are laid out as on the device.
#include <windows.h>

#ifdef AYGSHELL_EXPORTS
#define AYGSHELLAPI
#else
#define AYGSHELLAPI DECLSPEC_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

// SHCreateMenuBar
typedef struct tagSHMENUBARINFO
{
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

// The platform's task bar: full-screen programs find it by this class to hide and show it.
#define TASKBAR_CLASS         L"HHTaskBar"

#define SHCMBF_EMPTYBAR       0x0001
#define SHCMBF_HIDDEN         0x0002
#define SHCMBF_HIDESIPBUTTON  0x0004
#define SHCMBF_COLORBK        0x0008
#define SHCMBF_HMENU          0x0010

// SHFullScreen
#define SHFS_SHOWTASKBAR      0x0001
#define SHFS_HIDETASKBAR      0x0002
#define SHFS_SHOWSIPBUTTON    0x0004
#define SHFS_HIDESIPBUTTON    0x0008
#define SHFS_SHOWSTARTICON    0x0010
#define SHFS_HIDESTARTICON    0x0020

// SHInitDialog
typedef struct tagSHINITDIALOG
{
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS                 0x0001

#define SHIDIF_DONEBUTTON            0x0001
#define SHIDIF_SIZEDLG               0x0002
#define SHIDIF_SIZEDLGFULLSCREEN     0x0004
#define SHIDIF_SIPDOWN               0x0008
#define SHIDIF_FULLSCREENNOMENUBAR   0x0010
#define SHIDIF_EMPTYMENU             0x0020

// SHHandleWMActivate, SHHandleWMSettingChange
typedef struct
{
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

#define SHA_INPUTDIALOG 0x00000001

AYGSHELLAPI BOOL WINAPI SHInitExtraControls(void);
AYGSHELLAPI BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *pmbi);
AYGSHELLAPI BOOL WINAPI SHFullScreen(HWND hwndRequester, DWORD dwState);
AYGSHELLAPI BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);
AYGSHELLAPI HBITMAP WINAPI SHLoadImageResource(HINSTANCE hinst, UINT uIdImageFile);
AYGSHELLAPI BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                           SHACTIVATEINFO *psai, DWORD dwFlags);
AYGSHELLAPI BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                                SHACTIVATEINFO *psai);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
// The device's records on its 32-bit target: every field four bytes, no padding. A 64-bit
// desktop build (for a machine that runs no 32-bit programs) has wider handles and pointers.
static_assert(sizeof(void *) != 4 || sizeof(SHMENUBARINFO) == 36, "SHMENUBARINFO must match the device's layout");
static_assert(sizeof(void *) != 4 || sizeof(SHINITDLGINFO) == 12, "SHINITDLGINFO must match the device's layout");
static_assert(sizeof(void *) != 4 || sizeof(SHACTIVATEINFO) == 12, "SHACTIVATEINFO must match the device's layout");
#endif
