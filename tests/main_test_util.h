#pragma once
// What the main program's suites share: its objects made as start-up makes them, over a
// config.xml of the test's own, with the message boxes it would show recorded instead; and its
// dialogs opened from their templates without a loop of their own, so that a test acts on them
// between messages as a user would.
#include "tests/test_support.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <strsafe.h>
#include <string>
#include <vector>
#include "core/config_document.h"
#include "core/pregnancy_calendar.h"
#include "core/resource_library.h"
#include "core/shared_names.h"
#include "main/main_globals.h"
#include "main/main_window.h"
#include "main/message_box.h"

// config.xml as start-up makes it when there is nothing usable to keep.
#define EMPTY_CONFIG "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG/>\r\n"
#define PROMPT L"请设置怀孕开始时间"

// A message box as "text/caption/style/owner".
inline std::wstring ShownBox(const wchar_t *pszText, const wchar_t *pszCaption, HWND hOwner, UINT uType = MB_OK)
{
    return std::wstring(pszText ? pszText : L"") + L"/" + pszCaption + L"/" + std::to_wstring(uType) + L"/"
         + std::to_wstring((UINT_PTR)hOwner);
}

class MainTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        g_hInstance = GetModuleHandleW(NULL);
        StringCchCopyW(g_szXMLFilePath, ARRAYSIZE(g_szXMLFilePath), ConfigPath().c_str());
        g_pConfig = new ConfigDocument;
        g_pResLib = new ResourceLibrary;
        g_PregnancyCalendar = PregnancyCalendar();
        ShownBoxes().clear();
        g_pfnMessageBox = RecordBox;
    }
    void TearDown() override
    {
        Stop();
        delete g_pResLib;
        g_pResLib = NULL;
        if (g_pConfig)
            g_pConfig->ReleaseClassObject();
        delete g_pConfig;
        g_pConfig = NULL;
        g_pfnMessageBox = MessageBoxW;
        CoUninitialize();
    }

    // The instance start of the main routine, after the window of a former start is gone; the
    // window's creation makes its own document object. Then the messages its loop meets first,
    // which fill the pages not shown at the first paint; with bFirstPaint, the window as it is
    // first painted, before its loop ran.
    static const bool FIRST_PAINT = true;
    bool Start(bool bFirstPaint = false)
    {
        Stop();
        g_pResLib = g_pResLib ? g_pResLib : new ResourceLibrary;
        if (g_pConfig)
            g_pConfig->ReleaseClassObject();
        delete g_pConfig;
        g_pConfig = NULL;
        ShownBoxes().clear();
        bool bStarted = StartInstance(g_hInstance, SW_SHOW) != FALSE;
        if (!bFirstPaint)
            Pump();
        return bStarted;
    }
    // The window goes as when the user closes it, and the resource library with it; its class
    // goes too, for the next start to register.
    void Stop()
    {
        if (g_hWndMain)
            DestroyWindow(g_hWndMain);
        g_hWndMain = NULL;
        Pump();
        UnregisterClassW(L"MAIN", g_hInstance);
    }

    // What the main window does when a save tells it that the settings changed.
    void Refresh() { PostMessageW(g_hWndMain, MYMSG_MAIN_REFRESH, 0, 0), Pump(); }

    std::wstring ConfigPath() const { return m_dir.File(L"config.xml"); }
    void Store(const std::string &strBody) { ASSERT_TRUE(WriteWholeFile(ConfigPath(), ConfigXml(strBody))); }
    std::string Stored() const { return ReadFileBytes(ConfigPath()); }
    // The message boxes shown since the test began.
    static std::vector<std::wstring> &ShownBoxes()
    {
        static std::vector<std::wstring> s_boxes;
        return s_boxes;
    }

    TempDir m_dir;

private:
    static int WINAPI RecordBox(HWND hOwner, LPCWSTR pszText, LPCWSTR pszCaption, UINT uType)
    {
        ShownBoxes().push_back(ShownBox(pszText, pszCaption, hOwner, uType));
        return IDOK;
    }
};

// A dialog of the main program, shown; EndDialog only hides it, so IsOpen tells whether it ended.
class Dialog
{
public:
    Dialog(int nTemplate, DLGPROC pfnProc)
        : m_hDlg(CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(nTemplate), NULL, pfnProc, 0))
    {
        ShowWindow(m_hDlg, SW_SHOW);
    }
    ~Dialog() { DestroyWindow(m_hDlg); }
    operator HWND() const { return m_hDlg; }
    bool IsOpen() const { return IsWindowVisible(m_hDlg) != FALSE; }
    void Tap(int nCommand) const { SendMessageW(m_hDlg, WM_COMMAND, nCommand, 0); }

private:
    HWND m_hDlg;
};

// The label of a tab control's item.
inline std::wstring TabLabel(HWND hTab, int nItem)
{
    wchar_t szLabel[32] = L"";
    TCITEMW item = { TCIF_TEXT, 0, 0, szLabel, ARRAYSIZE(szLabel), 0, 0 };
    SendMessageW(hTab, TCM_GETITEMW, nItem, (LPARAM)&item);
    return szLabel;
}

// The labels of the soft keys of the menu bar made last, left to right.
inline std::wstring SoftKeys()
{
    std::wstring strKeys;
    for (HWND hKey = GetWindow(g_pResLib->m_hwndMenuBar, GW_CHILD); hKey; hKey = GetWindow(hKey, GW_HWNDNEXT))
        strKeys += (strKeys.empty() ? L"" : L" ") + WindowText(hKey);
    return strKeys;
}
