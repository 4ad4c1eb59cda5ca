#include "tests/dialog_driver.h"
#include "main/message_box.h"

namespace {

const UINT MSG_RUN_SCRIPT = WM_APP + 1;
const UINT MSG_PROBE = WM_APP + 2;

DialogScript g_script;
DialogRun g_run;
HWND g_hDriver = NULL;
std::vector<ShownBox> g_boxes;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    WCHAR szClass[32] = { 0 };
    GetClassNameW(hWnd, szClass, 31);
    if (lstrcmpW(szClass, L"#32770") != 0)
        return TRUE;
    *(HWND *)lParam = hWnd;
    return FALSE;
}

HWND OpenDialog()
{
    HWND hDlg = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, (LPARAM)&hDlg);
    return hDlg;
}

LRESULT CALLBACK DriverWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == MSG_RUN_SCRIPT)
    {
        HWND hDlg = OpenDialog();
        if (hDlg != NULL)
        {
            g_run.bScriptRan = true;
            g_script(hDlg);
        }
        PostMessageW(hWnd, MSG_PROBE, 0, 0);
        return 0;
    }
    if (uMsg == MSG_PROBE)
    {
        // Handled inside the modal loop only while the dialog lives.
        HWND hDlg = OpenDialog();
        if (hDlg != NULL)
        {
            g_run.bOpenAfterScript = true;
            EndDialog(hDlg, DRIVER_ENDED);
        }
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND DriverWindow()
{
    if (g_hDriver == NULL)
    {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = DriverWndProc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = L"UlvoDialogDriver";
        RegisterClassW(&wc);
        g_hDriver = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                    wc.hInstance, NULL);
    }
    return g_hDriver;
}

int WINAPI RecordMessageBox(HWND hOwner, LPCWSTR pszText, LPCWSTR pszCaption, UINT uType)
{
    ShownBox box;
    box.hOwner = hOwner;
    box.bOwnerIsOpenDialog = hOwner != NULL && hOwner == OpenDialog();
    box.strText = pszText ? pszText : L"";
    box.strCaption = pszCaption ? pszCaption : L"";
    box.uType = uType;
    g_boxes.push_back(box);
    return IDOK;
}

}  // namespace

DialogRun RunDialog(int nTemplateId, DLGPROC pfnProc, const DialogScript &script)
{
    g_script = script;
    g_run.nResult = 0;
    g_run.bScriptRan = false;
    g_run.bOpenAfterScript = false;
    PostMessageW(DriverWindow(), MSG_RUN_SCRIPT, 0, 0);

    HINSTANCE hInstance = GetModuleHandleW(NULL);
    HRSRC hRsrc = FindResourceW(hInstance, MAKEINTRESOURCEW(nTemplateId), RT_DIALOG);
    HGLOBAL hTemplate = hRsrc ? LoadResource(hInstance, hRsrc) : NULL;
    if (hTemplate != NULL)
        g_run.nResult = DialogBoxIndirectParamW(hInstance, (LPCDLGTEMPLATEW)LockResource(hTemplate),
                                                NULL, pfnProc, 0);
    // Whatever is left for the driver runs now, outside any dialog.
    MSG msg;
    while (PeekMessageW(&msg, g_hDriver, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    g_script = DialogScript();
    return g_run;
}

MessageBoxRecorder::MessageBoxRecorder()
{
    g_boxes.clear();
    g_pfnMessageBox = RecordMessageBox;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    g_pfnMessageBox = MessageBoxW;
}

const std::vector<ShownBox> &MessageBoxRecorder::Boxes() const
{
    return g_boxes;
}

std::wstring WindowText(HWND hWnd)
{
    WCHAR sz[1024] = { 0 };
    GetWindowTextW(hWnd, sz, 1023);
    return sz;
}

RECT ChildRect(HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(NULL, GetParent(hChild), (POINT *)&rc, 2);
    return rc;
}
