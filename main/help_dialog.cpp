#include "main/help_dialog.h"
#include "main/edit_control.h"
#include "main/full_screen_dialog.h"
#include "main/layout.h"
#include "main/main_globals.h"
#include "main/dialogs.h"
#include "resources/main_ids.h"

EditControl g_editHelp;

// Three paragraphs, the instructions, the dedication and the contact line, each wrapped by the
// text box at its own width, with an empty line between them (a line break in a multiline text
// box is CR LF). Runs of spaces set them apart only at one width and in one font.
#define HELP_PARAGRAPH_BREAK L"\r\n\r\n"
const WCHAR g_szHelpText[] =
    L"安装本软件后,在今日界面可以点击进入设置, 设置好后可以每日提醒您今天怀孕的日期, "
    L"点击进入后,还可以看到更详细的孕期说明. 如果没有今日界面,也可以从软件列表直接进入."
    HELP_PARAGRAPH_BREAK
    L"谨以此软件献给每一位准妈妈, 愿您和宝宝平安健康."
    HELP_PARAGRAPH_BREAK
    L"使用中有任何问题或建议, 欢迎通过软件的发布页面留言与我们联系.";

namespace {

const DWORD HELP_SHELL_FLAGS = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU;
const DWORD HELP_TEXT_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE;
const int HELP_MARGIN = 10;
const int HELP_WIDTH_LESS = 20;
const int HELP_HEIGHT_LESS = 15;

// The text box fills the dialog inside a margin, measured from the dialog's rectangle as
// it was before the move to the top left corner.
void OnInitDialog(HWND hDlg)
{
    RECT rc;
    InitFullScreenDialog(hDlg, HELP_SHELL_FLAGS, IDR_DIALOG_MENUBAR, &rc);
    int x = rc.left + ScaleLayout(HELP_MARGIN);
    int y = rc.top + ScaleLayout(HELP_MARGIN);
    int nWidth = rc.right - 3 * rc.left - ScaleLayout(HELP_WIDTH_LESS);
    int nHeight = rc.bottom - 2 * rc.top - ScaleLayout(HELP_HEIGHT_LESS);
    if (!g_editHelp.Create(hDlg, g_hInstance, HELP_TEXT_STYLE, 0, x, y, nWidth, nHeight))
        return;
    g_editHelp.SetText(g_szHelpText);
    // The dialog gives the box the focus after this and selects all its text; the text is
    // there to be read, so the selection is dropped once the dialog has settled.
    PostMessageW(g_editHelp.GetHwnd(), EM_SETSEL, 0, 0);
}

}  // namespace

INT_PTR CALLBACK HelpDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg)
    {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_DIALOG_OK)
            EndDialog(hDlg, IDM_DIALOG_OK);
        return FALSE;
    default:
        return FALSE;
    }
}
