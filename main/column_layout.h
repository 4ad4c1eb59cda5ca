#pragma once
#include <windows.h>

// The record dialogs are a column of controls across the dialog, top to bottom: lines of text,
// a big button, a text box that takes the rest. Each is made from a row of a table and placed
// again whenever the dialog changes size (the screen turned, another density).
struct ColumnRow
{
    int nId;                // the control's identifier in the dialog
    const WCHAR *pszClass;  // "STATIC", "BUTTON", "EDIT"
    DWORD dwStyle;          // besides WS_CHILD | WS_VISIBLE
    const WCHAR *pszText;   // what it says when made, or null
    // At 96 dpi: the space above it, its height (0 for the rest of the dialog down to the
    // bottom margin), and its margin at either side.
    int nGapAbove;
    int nHeight;
    int nInset;
};

// Makes the rows' controls in hDlg and places them. FALSE when one could not be made.
BOOL CreateColumn(HWND hDlg, HINSTANCE hInstance, const ColumnRow *pRows, int nRows);
// Places the rows' controls in hDlg's client area as it is now.
void LayOutColumn(HWND hDlg, const ColumnRow *pRows, int nRows);
// Sets a control's text only when it says something else: a text set every second must not
// flicker, nor a text box lose its scroll position.
void SetTextIfChanged(HWND hDlg, int nId, const WCHAR *pszText);
