#include "main/main_window.h"
#include "main/main_globals.h"
#include "main/day_follower.h"
#include "main/dialogs.h"
#include "main/due_date_dialog.h"
#include "main/message_box.h"
#include "main/pages.h"
#include "main/start_phases.h"
#include "main/status_texts.h"
#include "main/tab_control.h"
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "platform/ce_compat.h"
#include "resources/main_ids.h"
#include <aygshell.h>

WCHAR g_szXMLFilePath[MAX_PATH];
HINSTANCE g_hInstance = NULL;
HWND g_hWndMain = NULL;
ResourceLibrary *g_pResLib = NULL;
ConfigDocument *g_pConfig = NULL;
TabControl *g_pTab = NULL;

// One record for the program's lifetime, handed to the shell's activation chores.
static SHACTIVATEINFO s_sai = { sizeof(SHACTIVATEINFO), NULL, 0, 0, 0, 0 };

static const DWORD MAIN_CLASS_STYLE = CS_HREDRAW | CS_VREDRAW;
static const DWORD MAIN_WINDOW_STYLE = WS_VISIBLE;
static const DWORD TAB_STYLE = WS_CHILD | WS_VISIBLE;

static const int INSTANCE_WAIT_TRIES = 50;
static const int INSTANCE_WAIT_PAUSE_MS = 100;
static HANDLE s_hInstanceMutex = NULL;

static void ShowStartupError()
{
    g_pfnMessageBox(NULL, MAIN_ERROR_TEXT, MAIN_ERROR_CAPTION, MB_OK);
}

// The settings are usable when the file loads and holds the CONFIG element they live in.
static BOOL IsConfigUsable()
{
    if (g_pConfig->LoadXMLFile(g_szXMLFilePath) != S_OK)
        return FALSE;
    IXMLDOMNode *pRoot = NULL;
    HRESULT hr = g_pConfig->SelectNode(CONFIG_ROOT, &pRoot);
    if (pRoot)
        pRoot->Release();
    return hr == S_OK && pRoot != NULL;
}

// A config.xml that is missing, unreadable or not ours is replaced by one holding the
// declaration and an empty CONFIG, so that the settings dialog has something to save into.
// What the user had there is copied aside first; without that copy nothing is replaced.
void PrepareConfigFile()
{
    RemoveConfigSpare(g_szXMLFilePath);
    // Every document of the program, here and in each later reading and save, comes from the
    // class object asked for once; without one, each asks the component runtime.
    g_pConfig->HoldClassObject();
    if (g_pConfig->InitXMLDOMDocument() != S_OK)
    {
        ShowStartupError();
    }
    else if (!IsConfigUsable())
    {
        BOOL bExists = GetFileAttributesW(g_szXMLFilePath) != INVALID_FILE_ATTRIBUTES;
        // A fresh document: the failed load may have left something in this one.
        g_pConfig->ReleaseXMLDOMDocument();
        if ((bExists && !KeepConfigCopy(g_szXMLFilePath))
            || g_pConfig->InitXMLDOMDocument() != S_OK
            || CreateNewConfigFile(g_pConfig, g_szXMLFilePath) != S_OK)
            ShowStartupError();
    }
}

static LRESULT OnCreate(HWND hWnd)
{
    EnterStartPhase(START_CONFIG);
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    g_pConfig = new ConfigDocument;
    if (g_pConfig)
        PrepareConfigFile();
    EnterStartPhase(START_MENU_BAR);
    if (g_pResLib)
        g_pResLib->CreateMenuBar(hWnd, g_hInstance, IDR_MAIN_MENUBAR);
    EnterStartPhase(START_WINDOW);
    StartFollowingDay(hWnd);
    return 0;
}

static LRESULT OnDestroy()
{
    if (g_pTab)
    {
        delete g_pTab;
        g_pTab = NULL;
    }
    if (g_pResLib)
        g_pResLib->FreeResLibrary();
    ResourceLibrary::ShowTaskBar();
    if (g_pResLib)
    {
        delete g_pResLib;
        g_pResLib = NULL;
    }
    if (g_pConfig)
        g_pConfig->ReleaseClassObject();
    CoUninitialize();
    // The window is gone: a start from now on is a new instance.
    if (s_hInstanceMutex)
    {
        CloseHandle(s_hInstanceMutex);
        s_hInstanceMutex = NULL;
    }
    PostQuitMessage(0);
    return 0;
}

static LRESULT OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hWnd, &ps);
    EndPaint(hWnd, &ps);
    return 0;
}

static LRESULT OnNotify()
{
    if (g_pTab)
        ShowPage(g_pTab->GetCurSel());
    return 0;
}

// Dialogs run modally from their templates in memory, with no owner window. One may stay open
// past midnight: the pages are looked at again once it ends, whether or not the platform then
// activates the main window.
static void RunDialog(HWND hWnd, UINT nTemplateId, DLGPROC pfnDlgProc)
{
    HRSRC hRes = FindResourceW(g_hInstance, MAKEINTRESOURCEW(nTemplateId), RT_DIALOG);
    if (!hRes)
        return;
    HGLOBAL hTemplate = LoadResource(g_hInstance, hRes);
    LPCDLGTEMPLATEW pTemplate = hTemplate ? (LPCDLGTEMPLATEW)LockResource(hTemplate) : NULL;
    if (pTemplate)
        DialogBoxIndirectParamW(g_hInstance, pTemplate, NULL, pfnDlgProc, 0);
    FollowDay(hWnd);
}

static LRESULT OnCommand(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDM_KICKS:
        RunDialog(hWnd, IDD_KICKS, KickDlgProc);
        return 0;
    case IDM_CONTRACTIONS:
        RunDialog(hWnd, IDD_CONTRACTIONS, ContractionDlgProc);
        return 0;
    case IDM_SETTINGS:
        RunDialog(hWnd, IDD_SETTINGS, SettingsDlgProc);
        return 0;
    case IDM_DUE_DATE_SETUP:
        RunDialog(hWnd, IDD_DUE_DATE, DueDateDlgProc);
        return 0;
    case IDM_ABOUT:
        RunDialog(hWnd, IDD_ABOUT, AboutDlgProc);
        return 0;
    case IDM_HELP:
        RunDialog(hWnd, IDD_HELP, HelpDlgProc);
        return 0;
    case IDM_MENU_EXIT:
    case IDM_ACCEL_EXIT:
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case IDM_SOFTKEY_EXIT:
        DestroyWindow(hWnd);
        break;
    }
    return DefWindowProcW(hWnd, WM_COMMAND, wParam, lParam);
}

// Only page 今日 is built before the window is first painted; the others wait for it.
static BOOL s_bOtherPagesWaiting = FALSE;

// The first message the loop meets after the start: before any tap can select another page,
// that page is there and holds the texts of the reading page 今日 was made from.
static LRESULT OnFillPages()
{
    if (s_bOtherPagesWaiting && g_pTab)
        BuildOtherPages(g_pTab, g_hInstance);
    s_bOtherPagesWaiting = FALSE;
    FillOtherPages();
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_CREATE:
        return OnCreate(hWnd);
    case WM_DESTROY:
        return OnDestroy();
    case WM_ACTIVATE:
        SHHandleWMActivate(hWnd, wParam, lParam, &s_sai, 0);
        if (LOWORD(wParam) != WA_INACTIVE)
            FollowDay(hWnd);
        return 0;
    case WM_TIMECHANGE:
        FollowDay(hWnd);
        return 0;
    case WM_TIMER:
        FollowDayOnTimer(hWnd, wParam);
        return 0;
    case WM_PAINT:
        return OnPaint(hWnd);
    case WM_SETTINGCHANGE:
        SHHandleWMSettingChange(hWnd, wParam, lParam, &s_sai);
        return 0;
    case WM_NOTIFY:
        return OnNotify();
    case WM_COMMAND:
        return OnCommand(hWnd, wParam, lParam);
    case MYMSG_MAIN_REFRESH:
        GetStartTime();
        return 0;
    case MYMSG_MAIN_FILL_PAGES:
        return OnFillPages();
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

ATOM RegisterMainClass(HINSTANCE hInstance, const WCHAR *pszClassName)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = MAIN_CLASS_STYLE;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_MAIN));
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = pszClassName;
    return RegisterClassW(&wc);
}

static void InitScaleFromScreen()
{
    if (!g_pResLib)
        return;
    HDC hdc = GetDC(NULL);
    g_pResLib->InitScale(hdc);
    ReleaseDC(NULL, hdc);
}

// The menu bar sits at the bottom of the screen; the window ends where it begins.
static void FitAboveMenuBar(HWND hWnd)
{
    if (!g_pResLib || !g_pResLib->m_hwndMenuBar)
        return;
    RECT rcWindow, rcBar;
    GetWindowRect(hWnd, &rcWindow);
    GetWindowRect(g_pResLib->m_hwndMenuBar, &rcBar);
    MoveWindow(hWnd, rcWindow.left, rcWindow.top, rcWindow.right - rcWindow.left,
               rcWindow.bottom - (rcBar.bottom - rcBar.top) - rcWindow.top, FALSE);
}

static void CreateTabPages(HWND hWnd)
{
    s_bOtherPagesWaiting = FALSE;
    g_pTab = new TabControl;
    if (!g_pTab || !g_pTab->Prepare(hWnd, g_hInstance))
        return;
    // The tab control reaches the window's right and bottom edges as they will be once
    // full-screen mode has moved the window to the top left corner.
    RECT rc;
    GetWindowRect(hWnd, &rc);
    if (g_pTab->Create(TAB_STYLE, 0, 0, TAB_MODE_MAIN, rc.right, rc.bottom))
    {
        BuildFirstPage(g_pTab, g_hInstance);
        s_bOtherPagesWaiting = TRUE;
    }
}

// The running instance's window, while it shows: one being destroyed is hidden first, and its
// process may take a moment more to end.
static HWND FindShownWindow(const WCHAR *pszClass, const WCHAR *pszTitle)
{
    HWND hWnd = FindWindowW(pszClass, pszTitle);
    return hWnd && IsWindowVisible(hWnd) ? hWnd : NULL;
}

// The first start owns the name for its whole life; a later one finds it taken and waits a
// moment for the first one's window, to bring it forward. A start while the last one is closing
// finds the name taken and no window showing: it waits for the name to come free and goes on.
static BOOL ClaimSingleInstance(const WCHAR *pszClass, const WCHAR *pszTitle, HWND *phWndRunning)
{
    for (int i = 0; i < INSTANCE_WAIT_TRIES; i++)
    {
        if (i > 0)
            Sleep(INSTANCE_WAIT_PAUSE_MS);
        *phWndRunning = FindShownWindow(pszClass, pszTitle);
        if (*phWndRunning)
            return FALSE;
        s_hInstanceMutex = CreateMutexW(NULL, FALSE, MAIN_INSTANCE_MUTEX);
        if (s_hInstanceMutex && GetLastError() != ERROR_ALREADY_EXISTS)
            return TRUE;
        if (s_hInstanceMutex)
        {
            CloseHandle(s_hInstanceMutex);
            s_hInstanceMutex = NULL;
        }
    }
    return FALSE;
}

BOOL StartInstance(HINSTANCE hInstance, int nCmdShow)
{
    g_hInstance = hInstance;
    SHInitExtraControls();

    WCHAR szTitle[MAIN_STRING_CCH];
    WCHAR szClass[MAIN_STRING_CCH];
    LoadStringW(hInstance, IDS_MAIN_TITLE, szTitle, ARRAYSIZE(szTitle));
    LoadStringW(hInstance, IDS_MAIN_CLASS, szClass, ARRAYSIZE(szClass));

    // One running instance: a second start brings the first one forward and ends. Two taps
    // at the same moment both find no window yet; the name decides which one goes on.
    HWND hWnd = NULL;
    if (!ClaimSingleInstance(szClass, szTitle, &hWnd))
    {
        if (hWnd)
            BringWindowForward(hWnd);
        return FALSE;
    }
    if (!RegisterMainClass(hInstance, szClass))
        return FALSE;

    hWnd = CreateWorkAreaWindow(szClass, szTitle, MAIN_WINDOW_STYLE, hInstance);
    if (!hWnd)
        return FALSE;
    g_hWndMain = hWnd;

    InitScaleFromScreen();
    FitAboveMenuBar(hWnd);
    EnterStartPhase(START_RES_LIBRARY);
    if (g_pResLib)
        g_pResLib->LoadResLibrary(RES_LIBRARY_NAME);
    EnterStartPhase(START_PAGES);
    CreateTabPages(hWnd);
    ShowFirstPage();
    EnterStartPhase(START_FULL_SCREEN);
    if (g_pResLib)
        g_pResLib->SetFullScreen(hWnd);
    EnterStartPhase(START_SHOW);
    ShowWindow(hWnd, StartupShowCommand(nCmdShow));
    UpdateWindow(hWnd);
    PostMessageW(hWnd, MYMSG_MAIN_FILL_PAGES, 0, 0);
    return TRUE;
}

int MainRoutine(HINSTANCE hInstance, int nCmdShow)
{
    ZeroMemory(g_szXMLFilePath, sizeof(g_szXMLFilePath));
    GetModuleDirFilePath(hInstance, CONFIG_FILE_NAME, g_szXMLFilePath);
    g_pResLib = new ResourceLibrary;
    g_PregnancyCalendar.ResetMonthDays();

    if (!StartInstance(hInstance, nCmdShow))
        return 0;

    HACCEL hAccel = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(IDA_MAIN));
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        // An accelerator's command goes to the window the key was meant for.
        if (!TranslateAcceleratorW(msg.hwnd, hAccel, &msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return (int)msg.wParam;
}
