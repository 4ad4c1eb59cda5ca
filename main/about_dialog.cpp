#include "main/about_dialog.h"
#include "main/full_screen_dialog.h"
#include "main/main_globals.h"
#include "main/dialogs.h"
#include "main/relayout_dialog.h"
#include "resources/main_ids.h"

namespace {

const DWORD ABOUT_SHELL_FLAGS = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU;
const INT_PTR CLOSED_RESULT = WM_CLOSE;

// The dialog manager loads the template's icon at the system's size; the program draws its
// own at the screen's density, as the device leaves it to a program that declares itself
// aware of a dense screen.
void OnInitDialog(HWND hDlg)
{
    InitFullScreenDialog(hDlg, ABOUT_SHELL_FLAGS, IDR_DIALOG_MENUBAR, NULL);
    ShowLayoutIcon(g_hInstance, GetDlgItem(hDlg, IDC_ABOUT_ICON), IDI_MAIN);
}

// The screen turned or the shell resized us: take the layout that fits. Whatever could
// not be moved stays where it was; the dialog stays usable either way.
void OnSize(HWND hDlg)
{
    int nTemplate = AboutLayoutFor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    RelayoutDialog(g_hInstance, hDlg, nTemplate);
}

// The icon the program loaded goes with the dialog; the control does not destroy it.
void OnDestroy(HWND hDlg)
{
    HICON hIcon = (HICON)SendDlgItemMessageW(hDlg, IDC_ABOUT_ICON, STM_GETIMAGE, IMAGE_ICON, 0);
    if (hIcon != NULL)
        DestroyIcon(hIcon);
}

}  // namespace

int AboutLayoutFor(int nScreenWidth, int nScreenHeight)
{
    return nScreenHeight > nScreenWidth ? IDD_ABOUT : IDD_ABOUT_WIDE;
}

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return TRUE;
    case WM_SIZE:
        OnSize(hDlg);
        return FALSE;
    case WM_DESTROY:
        OnDestroy(hDlg);
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, CLOSED_RESULT);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDM_DIALOG_OK)
            return FALSE;
        EndDialog(hDlg, IDM_DIALOG_OK);
        return TRUE;
    default:
        return FALSE;
    }
}
