#include "main/column_layout.h"
#include "main/layout.h"

namespace {

const int COLUMN_BOTTOM_MARGIN = 8;
const int TEXT_COMPARE_CCH = 1024;

int NotBelowZero(int n)
{
    return n > 0 ? n : 0;
}

}  // namespace

BOOL CreateColumn(HWND hDlg, HINSTANCE hInstance, const ColumnRow *pRows, int nRows)
{
    BOOL bOk = TRUE;
    for (int i = 0; i < nRows; i++)
    {
        const ColumnRow &r = pRows[i];
        HWND hCtrl = CreateWindowExW(0, r.pszClass, r.pszText, WS_CHILD | WS_VISIBLE | r.dwStyle, 0, 0, 0, 0, hDlg,
                                     (HMENU)(INT_PTR)r.nId, hInstance, NULL);
        bOk = bOk && hCtrl != NULL;
    }
    LayOutColumn(hDlg, pRows, nRows);
    return bOk;
}

void LayOutColumn(HWND hDlg, const ColumnRow *pRows, int nRows)
{
    RECT rc;
    GetClientRect(hDlg, &rc);
    int y = 0;
    for (int i = 0; i < nRows; i++)
    {
        const ColumnRow &r = pRows[i];
        y += ScaleLayout(r.nGapAbove);
        int nHeight = r.nHeight ? ScaleLayout(r.nHeight) : rc.bottom - ScaleLayout(COLUMN_BOTTOM_MARGIN) - y;
        int nInset = ScaleLayout(r.nInset);
        HWND hCtrl = GetDlgItem(hDlg, r.nId);
        if (hCtrl)
            MoveWindow(hCtrl, nInset, y, NotBelowZero(rc.right - 2 * nInset), NotBelowZero(nHeight), TRUE);
        y += nHeight;
    }
}

void SetTextIfChanged(HWND hDlg, int nId, const WCHAR *pszText)
{
    WCHAR szNow[TEXT_COMPARE_CCH];
    HWND hCtrl = GetDlgItem(hDlg, nId);
    if (!hCtrl)
        return;
    int cch = GetWindowTextW(hCtrl, szNow, ARRAYSIZE(szNow));
    if (cch >= (int)ARRAYSIZE(szNow) - 1 || lstrcmpW(szNow, pszText) != 0)
        SetWindowTextW(hCtrl, pszText);
}
