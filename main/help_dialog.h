#pragma once
#include <windows.h>

class EditControl;

// The Help dialog (template 110): one text box with the usage text.
INT_PTR CALLBACK HelpDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The text box, made anew each time the dialog opens; its window goes with the dialog.
extern EditControl g_editHelp;

// What the text box shows.
extern const WCHAR g_szHelpText[];
