#include "main/relayout_dialog.h"
#include "main/layout.h"

// The standard dialog template format: 16-bit words, a header, then one DLGITEMTEMPLATE
// per item, each aligned to 4 bytes from the template's start.

namespace {

const WORD TEMPLATE_ORDINAL   = 0xFFFF;
const WORD ITEM_NO_ID         = 0xFFFF;
const WORD CLASS_BUTTON       = 0x0080;
const WORD CLASS_STATIC       = 0x0082;
const WORD CLASS_LISTBOX      = 0x0083;
const WORD CLASS_COMBOBOX     = 0x0085;
// How a static item's style says it shows an icon (low two bits) or a bitmap (bits 0xE).
const DWORD STATIC_ICON_BITS   = SS_ICON;
const DWORD STATIC_BITMAP_BITS = SS_BITMAP;

// A menu, class or title field: an ordinal (0xFFFF and one word) or a zero-terminated string.
struct SzOrOrdinal
{
    const WCHAR *pszName;   // null when the field is an ordinal
    WORD wOrdinal;
};

const WORD *ReadSzOrOrdinal(const WORD *pw, SzOrOrdinal *pField)
{
    if (*pw == TEMPLATE_ORDINAL)
    {
        pField->pszName = NULL;
        pField->wOrdinal = pw[1];
        return pw + 2;
    }
    pField->pszName = (const WCHAR *)pw;
    pField->wOrdinal = 0;
    while (*pw != 0)
        ++pw;
    return pw + 1;
}

const WORD *SkipSz(const WORD *pw)
{
    while (*pw != 0)
        ++pw;
    return pw + 1;
}

const BYTE *AlignDword(const BYTE *pBase, const BYTE *p)
{
    return pBase + (((p - pBase) + 3) & ~3);
}

void SetBitmap(HINSTANCE hInstance, HWND hChild, WORD wId)
{
    HBITMAP hBitmap = LoadBitmapW(hInstance, MAKEINTRESOURCEW(wId));
    if (hBitmap == NULL)
        return;
    HBITMAP hOld = (HBITMAP)SendMessageW(hChild, STM_GETIMAGE, IMAGE_BITMAP, 0);
    SendMessageW(hChild, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
    if (hOld != NULL && hOld != hBitmap)
        DeleteObject(hOld);
}

void ReselectCurrent(HWND hChild, UINT uGetMsg, UINT uSetMsg)
{
    LRESULT nSel = SendMessageW(hChild, uGetMsg, 0, 0);
    if (nSel != -1)
        SendMessageW(hChild, uSetMsg, (WPARAM)nSel, 0);
}

// Moving a control keeps what it shows only if we hand it back: the text, icon or bitmap
// of the template, or the selection of a list.
void RestoreContent(HINSTANCE hInstance, HWND hChild, const DLGITEMTEMPLATE *pItem,
                    const SzOrOrdinal &cls, const SzOrOrdinal &title)
{
    if (cls.pszName != NULL)
        return;
    switch (cls.wOrdinal)
    {
    case CLASS_BUTTON:
    case CLASS_STATIC:
        if (title.pszName != NULL)
            SetWindowTextW(hChild, title.pszName);
        else if ((pItem->style & STATIC_ICON_BITS) == STATIC_ICON_BITS)
            ShowLayoutIcon(hInstance, hChild, title.wOrdinal);
        else if ((pItem->style & STATIC_BITMAP_BITS) == STATIC_BITMAP_BITS)
            SetBitmap(hInstance, hChild, title.wOrdinal);
        break;
    case CLASS_LISTBOX:
        ReselectCurrent(hChild, LB_GETCURSEL, LB_SETCURSEL);
        break;
    case CLASS_COMBOBOX:
        ReselectCurrent(hChild, CB_GETCURSEL, CB_SETCURSEL);
        break;
    default:
        break;
    }
}

}  // namespace

// Each load makes an icon of the program's own, so the one shown before goes; the shared one the
// dialog manager loaded from the template ignores that.
void ShowLayoutIcon(HINSTANCE hInstance, HWND hChild, int nIconId)
{
    int nSize = ScaleLayout(LAYOUT_ICON_SIZE);
    HICON hIcon = (HICON)LoadImageW(hInstance, MAKEINTRESOURCEW(nIconId), IMAGE_ICON, nSize, nSize, 0);
    if (hIcon == NULL)
        return;
    HICON hOld = (HICON)SendMessageW(hChild, STM_GETIMAGE, IMAGE_ICON, 0);
    SendMessageW(hChild, STM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon);
    if (hOld != NULL)
        DestroyIcon(hOld);
}

int RelayoutDialog(HINSTANCE hInstance, HWND hDlg, int nTemplateId)
{
    HRSRC hRsrc = FindResourceW(hInstance, MAKEINTRESOURCEW(nTemplateId), RT_DIALOG);
    if (hRsrc == NULL)
        return 0;
    HGLOBAL hGlobal = LoadResource(hInstance, hRsrc);
    const BYTE *pBase = hGlobal ? (const BYTE *)LockResource(hGlobal) : NULL;
    if (pBase == NULL)
        return 0;

    const DLGTEMPLATE *pDlg = (const DLGTEMPLATE *)pBase;
    HDWP hdwp = BeginDeferWindowPos(pDlg->cdit);
    if (hdwp == NULL)
        return 0;

    SzOrOrdinal field;
    const WORD *pw = (const WORD *)(pDlg + 1);
    pw = ReadSzOrOrdinal(pw, &field);   // menu
    pw = ReadSzOrOrdinal(pw, &field);   // class
    pw = SkipSz(pw);                    // title
    if (pDlg->style & DS_SETFONT)
        pw = SkipSz(pw + 1);            // point size, face name

    BOOL bOk = TRUE;
    int nNoIdItems = 0;
    const BYTE *p = (const BYTE *)pw;
    for (WORD i = 0; i < pDlg->cdit; ++i)
    {
        p = AlignDword(pBase, p);
        const DLGITEMTEMPLATE *pItem = (const DLGITEMTEMPLATE *)p;
        SzOrOrdinal cls, title;
        pw = ReadSzOrOrdinal((const WORD *)(pItem + 1), &cls);
        pw = ReadSzOrOrdinal(pw, &title);
        WORD cbExtra = *pw;
        p = (const BYTE *)pw + (cbExtra != 0 ? cbExtra : sizeof(WORD));

        if (pItem->id == ITEM_NO_ID)
            ++nNoIdItems;

        HWND hChild = GetDlgItem(hDlg, pItem->id);
        if (hChild == NULL)
        {
            bOk = FALSE;
            continue;
        }
        RECT rc = { pItem->x, pItem->y, pItem->x + pItem->cx, pItem->y + pItem->cy };
        if (!MapDialogRect(hDlg, &rc))
        {
            bOk = FALSE;
            continue;
        }
        HDWP hNext = DeferWindowPos(hdwp, hChild, NULL, rc.left, rc.top,
                                    rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
        if (hNext == NULL)
            bOk = FALSE;
        else
            hdwp = hNext;
        RestoreContent(hInstance, hChild, pItem, cls, title);
    }

    if (!EndDeferWindowPos(hdwp))
        bOk = FALSE;
    if (nNoIdItems >= 2)
        return 0;
    return bOk ? 1 : 0;
}
