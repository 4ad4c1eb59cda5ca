#include "tests/test_support.h"
#include <gtest/gtest.h>
#include <map>
#include <stdio.h>
#include <todaycmn.h>
#include "core/shared_names.h"
#include "core/today_clock.h"
#include "platform/today/host_names.h"

// --- Files ---------------------------------------------------------------------------------

TempDir::TempDir()
{
    static LONG s_nCounter = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    m_strPath = szTemp;
    if (!m_strPath.empty() && m_strPath.back() == L'\\')
        m_strPath.pop_back();
    m_strPath += L"\\ulvo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-"
               + std::to_wstring(InterlockedIncrement(&s_nCounter));
    RemoveFolder(m_strPath);
    CreateDirectoryW(m_strPath.c_str(), NULL);
}

TempDir::~TempDir()
{
    RemoveFolder(m_strPath);
}

std::string ReadFileBytes(const std::wstring &strPath)
{
    std::string strBytes;
    ReadWholeFile(strPath, &strBytes);
    return strBytes;
}

bool FileExists(const std::wstring &strPath)
{
    return GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ConfigXml(const std::string &strBody)
{
    return "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG>" + strBody + "</CONFIG>\r\n";
}

// --- The date --------------------------------------------------------------------------------

static SYSTEMTIME s_stToday;
static PFN_GETTODAY s_pfnBeforePinned = NULL;

static void WINAPI GetFixedToday(LPSYSTEMTIME pst)
{
    *pst = s_stToday;
}

FixedToday::FixedToday(int nYear, int nMonth, int nDay)
{
    Set(nYear, nMonth, nDay);
    s_pfnBeforePinned = g_pfnGetToday;
    g_pfnGetToday = GetFixedToday;
}

// Back to whatever the deliverables had, so a check of the shipped clock still sees it.
FixedToday::~FixedToday()
{
    g_pfnGetToday = s_pfnBeforePinned;
}

void FixedToday::Set(int nYear, int nMonth, int nDay)
{
    ZeroMemory(&s_stToday, sizeof(s_stToday));
    s_stToday.wYear = (WORD)nYear;
    s_stToday.wMonth = (WORD)nMonth;
    s_stToday.wDay = (WORD)nDay;
    // Late in the day: a date read from the wrong clock would already be tomorrow somewhere.
    s_stToday.wHour = 23;
    s_stToday.wMinute = 59;
}

void FixedToday::SetTime(int nHour, int nMinute, int nSecond)
{
    s_stToday.wHour = (WORD)nHour;
    s_stToday.wMinute = (WORD)nMinute;
    s_stToday.wSecond = (WORD)nSecond;
}

// --- Windows -----------------------------------------------------------------------------------

std::wstring WindowText(HWND hWnd)
{
    wchar_t sz[2048] = L"";
    SendMessageTimeoutW(hWnd, WM_GETTEXT, ARRAYSIZE(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 10000, NULL);
    return sz;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool WaitPumping(HANDLE h, DWORD dwLimitMs)
{
    const DWORD STEP_MS = 20;
    for (DWORD dwWaited = 0; ; dwWaited += STEP_MS)
    {
        DWORD dwStep = dwLimitMs - dwWaited < STEP_MS ? dwLimitMs - dwWaited : STEP_MS;
        DWORD dw = MsgWaitForMultipleObjects(h ? 1 : 0, &h, FALSE, dwStep, QS_ALLINPUT);
        if (h && dw == WAIT_OBJECT_0)
            return true;
        Pump();
        if (dwWaited + STEP_MS >= dwLimitMs)
            return false;
    }
}

struct WindowSearch
{
    const wchar_t *pszClass;
    DWORD dwProcessId;
    std::vector<HWND> found;
};

static bool IsOfClass(HWND hWnd, const wchar_t *pszClass)
{
    wchar_t szClass[256] = L"";
    GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    return lstrcmpiW(szClass, pszClass) == 0;
}

static BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch *pSearch = (WindowSearch *)lParam;
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (IsOfClass(hWnd, pSearch->pszClass) && (!pSearch->dwProcessId || dwProcessId == pSearch->dwProcessId))
        pSearch->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(const wchar_t *pszClass, DWORD dwProcessId)
{
    WindowSearch search = { pszClass, dwProcessId, {} };
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

HWND FindDescendant(HWND hParent, const wchar_t *pszClass)
{
    WindowSearch search = { pszClass, 0, {} };
    EnumChildWindows(hParent, CollectWindow, (LPARAM)&search);
    return search.found.empty() ? NULL : search.found[0];
}

RECT ChildRect(HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(NULL, GetParent(hChild), (POINT *)&rc, 2);
    return rc;
}

HWND CreateTestWindow(const wchar_t *pszClass, DWORD dwStyle, RECT rc, WNDPROC pfnProc, HWND hParent,
                      const wchar_t *pszTitle)
{
    HINSTANCE hInstance = GetModuleHandleW(NULL);
    WNDCLASSW wc;
    if (!GetClassInfoW(hInstance, pszClass, &wc))
    {
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = pfnProc ? pfnProc : DefWindowProcW;
        wc.hInstance = hInstance;
        wc.lpszClassName = pszClass;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, pszClass, pszTitle ? pszTitle : pszClass, dwStyle, rc.left, rc.top,
                           rc.right - rc.left, rc.bottom - rc.top, hParent, NULL, hInstance, NULL);
}

const COLORREF TEST_TODAY_TEXT = RGB(200, 0, 0);
const COLORREF TEST_TODAY_BACKGROUND = RGB(255, 255, 255);

static LRESULT CALLBACK TestTodayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == TODAYM_GETCOLOR)
        return wParam == TODAYCOLOR_TEXT ? TEST_TODAY_TEXT : RGB(0, 0, 255);
    if (uMsg == TODAYM_DRAWWATERMARK)
    {
        TODAYDRAWWATERMARKINFO *pInfo = (TODAYDRAWWATERMARKINFO *)lParam;
        HBRUSH hBrush = CreateSolidBrush(TEST_TODAY_BACKGROUND);
        FillRect(pInfo->hdc, &pInfo->rc, hBrush);
        DeleteObject(hBrush);
        return TRUE;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

HWND CreateTestTodayWindow(int x, int y, int cx, int cy)
{
    return CreateTestWindow(L"UlvoTestToday", WS_POPUP | WS_VISIBLE, RECT{ x, y, x + cx, y + cy },
                            TestTodayWndProc);
}

static void SetDword(HKEY hKey, const wchar_t *pszValue, DWORD dw)
{
    RegSetValueExW(hKey, pszValue, 0, REG_DWORD, (const BYTE *)&dw, sizeof(dw));
}

RegisteredTodayItem::RegisteredTodayItem(const wchar_t *pszName, const std::wstring &strDll, DWORD dwOrder,
                                         DWORD dwEnabled, DWORD dwType)
    : m_strKey(std::wstring(TODAY_ITEMS_KEY) + L"\\" + pszName)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_strKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL)
        != ERROR_SUCCESS)
        return;
    RegSetValueExW(hKey, TODAY_ITEM_DLL, 0, REG_SZ, (const BYTE *)strDll.c_str(),
                   (DWORD)((strDll.size() + 1) * sizeof(wchar_t)));
    SetDword(hKey, TODAY_ITEM_TYPE, dwType);
    SetDword(hKey, TODAY_ITEM_ENABLED, dwEnabled);
    SetDword(hKey, TODAY_ITEM_ORDER, dwOrder);
    RegCloseKey(hKey);
}

RegisteredTodayItem::~RegisteredTodayItem()
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, m_strKey.c_str());
}

// --- Processes -------------------------------------------------------------------------------

ChildProcesses::~ChildProcesses()
{
    for (HANDLE h : m_processes)
    {
        if (WaitForSingleObject(h, 0) != WAIT_OBJECT_0)
        {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 10000);
        }
        CloseHandle(h);
    }
}

HANDLE ChildProcesses::Start(const std::wstring &strExe, const std::wstring &strArgs, const std::wstring &strDir)
{
    std::wstring strCmd = L"\"" + strExe + L"\"" + (strArgs.empty() ? L"" : L" " + strArgs);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(strExe.c_str(), &strCmd[0], NULL, NULL, FALSE, 0, NULL,
                        strDir.empty() ? NULL : strDir.c_str(), &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return Track(pi.hProcess);
}

HANDLE ChildProcesses::Track(HANDLE hProcess)
{
    if (hProcess)
        m_processes.push_back(hProcess);
    return hProcess;
}

DWORD ExitCodeOf(HANDLE hProcess)
{
    DWORD dwCode = 0xDEAD;
    if (WaitPumping(hProcess, PROCESS_WAIT_LIMIT_MS))
        GetExitCodeProcess(hProcess, &dwCode);
    return dwCode;
}

bool InstallDeliverables(const std::wstring &strDir)
{
    for (const wchar_t *pszFile : { MAIN_PROGRAM_NAME, L"ulvo.dll", RES_LIBRARY_NAME, L"aygshell.dll" })
    {
        if (!CopyFileW((ExeDir() + L"\\" + pszFile).c_str(), (strDir + L"\\" + pszFile).c_str(), FALSE))
            return false;
    }
    return true;
}

// The build puts it in a folder of its own beside the programs (resources/CMakeLists.txt).
std::wstring LibraryWithout192DpiPictures()
{
    return ExeDir() + L"\\ulvores-96dpi\\" RES_LIBRARY_NAME;
}

// --- Imports -----------------------------------------------------------------------------------

void *PatchImport(HMODULE hModule, const char *pszDll, const char *pszFunction, void *pNew)
{
    BYTE *pBase = (BYTE *)hModule;
    IMAGE_NT_HEADERS *pNt = (IMAGE_NT_HEADERS *)(pBase + ((IMAGE_DOS_HEADER *)pBase)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR *pDesc = (IMAGE_IMPORT_DESCRIPTOR *)(pBase + dir.VirtualAddress);
         dir.VirtualAddress && pDesc->Name; pDesc++)
    {
        if (_stricmp((const char *)(pBase + pDesc->Name), pszDll) != 0)
            continue;
        IMAGE_THUNK_DATA *pNames = (IMAGE_THUNK_DATA *)(pBase + pDesc->OriginalFirstThunk);
        IMAGE_THUNK_DATA *pSlots = (IMAGE_THUNK_DATA *)(pBase + pDesc->FirstThunk);
        for (; pNames->u1.AddressOfData; pNames++, pSlots++)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal)
                || strcmp((const char *)((IMAGE_IMPORT_BY_NAME *)(pBase + pNames->u1.AddressOfData))->Name,
                          pszFunction) != 0)
                continue;
            void **ppSlot = (void **)&pSlots->u1.Function;
            void *pOld = *ppSlot;
            DWORD dwProtect;
            VirtualProtect(ppSlot, sizeof(void *), PAGE_READWRITE, &dwProtect);
            *ppSlot = pNew;
            VirtualProtect(ppSlot, sizeof(void *), dwProtect, &dwProtect);
            return pOld;
        }
    }
    return NULL;
}

// --- Screen density ------------------------------------------------------------------------------

static const wchar_t DESKTOP_KEY[] = L"Control Panel\\Desktop";
static const wchar_t LOG_PIXELS[] = L"LogPixels";
static const char AT_DPI_ARG[] = "--at-dpi=";
static const char CHILD_SUITES[] = "*AtDpi.*";

static int s_nChildDpi = 0;
static std::map<std::string, std::wstring> s_childArgs;

static bool ReadLogPixels(DWORD *pdwValue)
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, DESKTOP_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD dwType = 0, cb = sizeof(*pdwValue);
    bool bHad = RegQueryValueExW(hKey, LOG_PIXELS, NULL, &dwType, (BYTE *)pdwValue, &cb) == ERROR_SUCCESS
             && dwType == REG_DWORD;
    RegCloseKey(hKey);
    return bHad;
}

static void WriteLogPixels(const DWORD *pdwValue)
{
    HKEY hKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, DESKTOP_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    if (pdwValue)
        RegSetValueExW(hKey, LOG_PIXELS, 0, REG_DWORD, (const BYTE *)pdwValue, sizeof(*pdwValue));
    else
        RegDeleteValueW(hKey, LOG_PIXELS);
    RegCloseKey(hKey);
}

int RunSelfAtDpi(DWORD dwDpi, const std::wstring &strMoreArgs)
{
    DWORD dwBefore = 0;
    bool bHad = ReadLogPixels(&dwBefore);
    WriteLogPixels(&dwDpi);
    wchar_t szExe[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    std::wstring strCmd = L"\"" + std::wstring(szExe) + L"\" --at-dpi=" + std::to_wstring(dwDpi)
           + (strMoreArgs.empty() ? L"" : L" " + strMoreArgs);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    // The child's report goes where ours goes.
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    fflush(stdout);
    fflush(stderr);
    PROCESS_INFORMATION pi;
    DWORD dwCode = (DWORD)-1;
    if (CreateProcessW(NULL, &strCmd[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi))
    {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &dwCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    WriteLogPixels(bHad ? &dwBefore : NULL);
    return (int)dwCode;
}

int ChildDpi()
{
    return s_nChildDpi;
}

std::wstring ChildArgument(const char *pszName)
{
    auto it = s_childArgs.find(pszName);
    return it == s_childArgs.end() ? std::wstring() : it->second;
}

int ScreenDpi()
{
    HDC hdc = GetDC(NULL);
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    return nDpi;
}

HWND PublishedItemWindow()
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ULVO_REG_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return NULL;
    DWORD dwValue = 0, cb = sizeof(dwValue), dwType = 0;
    LONG lResult = RegQueryValueExW(hKey, ULVO_REG_HWND, NULL, &dwType, (BYTE *)&dwValue, &cb);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD && cb == sizeof(dwValue) ? (HWND)(ULONG_PTR)dwValue : NULL;
}

static int PostRefreshToItem()
{
    HWND hWnd = PublishedItemWindow();
    if (!IsWindow(hWnd))
        return 3;
    return PostMessageW(hWnd, MYMSG_ULVO_REFRESH, 0, 0) ? 0 : 4;
}

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "--post-refresh") == 0)
        return PostRefreshToItem();
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
    {
        const char *pszEquals = strchr(argv[i], '=');
        if (strncmp(argv[i], AT_DPI_ARG, strlen(AT_DPI_ARG)) == 0)
            s_nChildDpi = atoi(argv[i] + strlen(AT_DPI_ARG));
        else if (strncmp(argv[i], "--", 2) == 0 && pszEquals)
        {
            std::string strValue = pszEquals + 1;
            s_childArgs[std::string((const char *)argv[i] + 2, pszEquals)] = std::wstring(strValue.begin(), strValue.end());
        }
    }
    // Each role runs only its own suites; a filter given by hand narrows that further.
    if (testing::GTEST_FLAG(filter) == "*")
        testing::GTEST_FLAG(filter) = s_nChildDpi ? CHILD_SUITES : std::string("-") + CHILD_SUITES;
    return RUN_ALL_TESTS();
}
