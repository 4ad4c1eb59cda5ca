#pragma once
#include <windows.h>

// Moves the existing children of hDlg to the places the dialog template nTemplateId gives
// them, all in one deferred batch, and puts back the texts, icons and bitmaps that template
// names. 1 on success, 0 when the template cannot be had, a child is missing or cannot be
// moved, or two of its items share the "no identifier" 0xFFFF.
int RelayoutDialog(HINSTANCE hInstance, HWND hDlg, int nTemplateId);

// Shows the icon nIconId of hInstance in the static control hChild at the size of a large icon
// in this screen's layout, and destroys the icon it showed before. Nothing changes when the
// icon cannot be loaded.
void ShowLayoutIcon(HINSTANCE hInstance, HWND hChild, int nIconId);
