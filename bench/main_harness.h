#pragma once
// The main program's texts and settings storage in this process, as its window and settings
// dialog drive them: the tab control with its three pages, the resource library, config.xml
// in a folder of its own, and the dialog's calendar and method buttons on a hidden window.
// "Today" is pinned to 2010-3-27.
#include <windows.h>
#include <string>

class TabControl;
class MonthCalendar;
class ButtonControl;

class MainHarness
{
public:
    // With pszConfigPath, that file is the settings; else one in a fresh folder.
    explicit MainHarness(const wchar_t *pszConfigPath = NULL);
    ~MainHarness();

    const std::wstring &ConfigPath() const { return m_strConfig; }
    bool Ready() const { return m_bReady; }

    // What Main does with config.xml when it starts. The message box it would show for a
    // failure is only counted.
    void StartUp();
    int StartUpMessages() const;

    // The settings dialog's "确定" with this date and method picked; a SAVE_SETTINGS_ code.
    int Save(int nYear, int nMonth, int nDay, bool b365);
    // The main window's rebuild of its texts from config.xml.
    void Rebuild();
    std::wstring StatusText() const;
    // Drops the refresh requests the saves posted to the stand-in main window.
    void DrainMessages();

private:
    std::wstring m_strDir;
    std::wstring m_strConfig;
    HWND m_hHost;
    TabControl *m_pTab;
    MonthCalendar *m_pCalendar;
    ButtonControl *m_pRadio365;
    bool m_bReady;
};
