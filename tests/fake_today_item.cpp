// A Today item for the shell stand-in's checks: a plain window titled with its registry name,
// as high as the low word of its record's flags (registry value "Flags") at the shell's first
// question and as the high word, when not 0, at every later one.
#include <windows.h>
#include <todaycmn.h>

static const WCHAR ITEM_CLASS[] = L"FakeTodayItem";

static LRESULT OnQueryRefreshCache(HWND hWnd, TODAYLISTITEM *pItem)
{
    LONG_PTR nAsked = GetWindowLongPtrW(hWnd, GWLP_USERDATA);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, nAsked + 1);
    DWORD cy = (nAsked && HIWORD(pItem->grflags)) ? HIWORD(pItem->grflags) : LOWORD(pItem->grflags);
    BOOL bChanged = pItem->cyp != cy;
    pItem->cyp = cy;
    return bChanged;
}

static LRESULT CALLBACK FakeItemWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_TODAYCUSTOM_QUERYREFRESHCACHE)
        return OnQueryRefreshCache(hWnd, (TODAYLISTITEM *)wParam);
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// The class is registered under the instance the shell loaded us as, once per load.
extern "C" HWND APIENTRY InitializeCustomItem(TODAYLISTITEM *ptli, HWND hwndParent)
{
    WNDCLASSW wc = { 0, FakeItemWndProc, 0, 0, ptli->hinstDLL, NULL, NULL, NULL, NULL, ITEM_CLASS };
    RegisterClassW(&wc);
    return CreateWindowExW(0, ITEM_CLASS, ptli->szName, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwndParent, NULL,
                           ptli->hinstDLL, NULL);
}
