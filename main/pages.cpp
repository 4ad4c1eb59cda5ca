#include "main/pages.h"
#include "main/layout.h"

EditControl g_editStatus;
EditControl g_editWeekAdvice;
EditControl g_editDueDate;
EditControl g_editCountdown;
EditControl g_editCheckups;
PictureControl g_picMonth;

static const WCHAR *const s_apszPageLabels[] = { L"今日", L"详情", L"预产期", L"产检" };

static const DWORD STATUS_STYLE   = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_CENTER;
static const DWORD PICTURE_STYLE  = WS_CHILD | WS_VISIBLE | SS_BITMAP;
static const DWORD ADVICE_STYLE   = WS_CHILD | WS_VSCROLL | ES_MULTILINE;
static const DWORD DUE_DATE_STYLE = WS_CHILD | ES_WANTRETURN | ES_MULTILINE | ES_CENTER;
static const DWORD CHECKUPS_STYLE = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY;

// Designed positions at 96 dpi, below the row of tab labels.
static const int STATUS_X = 10, STATUS_Y = 30, STATUS_MARGIN = 20, STATUS_HEIGHT = 40;
static const int ADVICE_X = 10, ADVICE_Y = 30, ADVICE_MARGIN = 10, ADVICE_BOTTOM_MARGIN = 35;
static const int PICTURE_X = 10, PICTURE_Y = 75, PICTURE_MARGIN = 10, PICTURE_BOTTOM_MARGIN = 80;
static const int DUE_DATE_X = 5, DUE_DATE_Y = 100, DUE_DATE_MARGIN = 10, DUE_DATE_HEIGHT = 50;
static const int COUNTDOWN_Y = DUE_DATE_Y + DUE_DATE_HEIGHT, COUNTDOWN_HEIGHT = 40;

static void InsertPageLabels(TabControl *pTab)
{
    for (int i = 0; i < (int)ARRAYSIZE(s_apszPageLabels); ++i)
    {
        TCITEMW item;
        ZeroMemory(&item, sizeof(item));
        item.mask = TCIF_TEXT;
        item.pszText = (LPWSTR)s_apszPageLabels[i];
        pTab->InsertItem(i, &item);
    }
}

// The tab control's inside, where the pages' controls go.
static RECT PageArea(TabControl *pTab)
{
    RECT rc;
    GetClientRect(pTab->GetHwnd(), &rc);
    return rc;
}

void BuildFirstPage(TabControl *pTab, HINSTANCE hInstance)
{
    InsertPageLabels(pTab);

    HWND hWndTab = pTab->GetHwnd();
    RECT rc = PageArea(pTab);
    int nWidth = rc.right - rc.left;
    int nHeight = rc.bottom - rc.top;

    g_editStatus.Create(hWndTab, hInstance, STATUS_STYLE, 0,
                        ScaleLayout(STATUS_X), ScaleLayout(STATUS_Y),
                        nWidth - ScaleLayout(STATUS_MARGIN), ScaleLayout(STATUS_HEIGHT));

    g_picMonth.Create(hWndTab, hInstance, PICTURE_STYLE, ScaleLayout(PICTURE_X), ScaleLayout(PICTURE_Y), 0,
                      nWidth - ScaleLayout(PICTURE_MARGIN), nHeight - ScaleLayout(PICTURE_BOTTOM_MARGIN));
}

// Made hidden: they show when their page is selected.
void BuildOtherPages(TabControl *pTab, HINSTANCE hInstance)
{
    HWND hWndTab = pTab->GetHwnd();
    RECT rc = PageArea(pTab);
    int nWidth = rc.right - rc.left;
    int nHeight = rc.bottom - rc.top;

    g_editWeekAdvice.Create(hWndTab, hInstance, ADVICE_STYLE, 0,
                            ScaleLayout(ADVICE_X), ScaleLayout(ADVICE_Y),
                            nWidth - ScaleLayout(ADVICE_MARGIN), nHeight - ScaleLayout(ADVICE_BOTTOM_MARGIN));

    g_editDueDate.Create(hWndTab, hInstance, DUE_DATE_STYLE, 0,
                         ScaleLayout(DUE_DATE_X), ScaleLayout(DUE_DATE_Y),
                         nWidth - ScaleLayout(DUE_DATE_MARGIN), ScaleLayout(DUE_DATE_HEIGHT));

    // The countdown right under the due-date line, in its look.
    g_editCountdown.Create(hWndTab, hInstance, DUE_DATE_STYLE, 0,
                           ScaleLayout(DUE_DATE_X), ScaleLayout(COUNTDOWN_Y),
                           nWidth - ScaleLayout(DUE_DATE_MARGIN), ScaleLayout(COUNTDOWN_HEIGHT));

    // The schedule scrolls in the place of the advice.
    g_editCheckups.Create(hWndTab, hInstance, CHECKUPS_STYLE, 0,
                          ScaleLayout(ADVICE_X), ScaleLayout(ADVICE_Y),
                          nWidth - ScaleLayout(ADVICE_MARGIN), nHeight - ScaleLayout(ADVICE_BOTTOM_MARGIN));
}

void BuildPages(TabControl *pTab, HINSTANCE hInstance)
{
    BuildFirstPage(pTab, hInstance);
    BuildOtherPages(pTab, hInstance);
}

void ShowPage(int nPage)
{
    if (nPage < PAGE_TODAY || nPage > PAGE_CHECKUPS)
        return;
    g_editStatus.Show(nPage == PAGE_TODAY);
    g_picMonth.Show(nPage == PAGE_TODAY);
    g_editWeekAdvice.Show(nPage == PAGE_DETAILS);
    g_editDueDate.Show(nPage == PAGE_DUE_DATE);
    g_editCountdown.Show(nPage == PAGE_DUE_DATE);
    g_editCheckups.Show(nPage == PAGE_CHECKUPS);
}
