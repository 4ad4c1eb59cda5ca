#pragma once
// The Today item in this process as the shell hosts it: a Today window that answers the
// colour and background requests, the item made by its ordinal-240 entry, and config.xml in
// a folder of its own. "Today" is pinned to 2010-3-27.
#include <windows.h>
#include <string>

class ItemHarness
{
public:
    ItemHarness();
    ~ItemHarness();

    HWND Item() const { return m_hItem; }
    const std::wstring &ConfigPath() const { return m_strConfig; }
    void UseConfig(const std::string &strBytes);

    // What the item shows now: the prompt or its line.
    std::wstring Line() const;
    // A refresh message handled as the window gets it, its repaint request dropped.
    void RefreshCycle();
    // One whole repaint through the window: background, icon, line.
    void PaintCycle();
    // The shell's rebuild of its Today screen: the item's window destroyed and the item made
    // again, then refreshed. The references the DOM server's class object has in between
    // (DomClassObjectReferences) go to *pnHeld.
    void RecreateCycle(LONG *pnHeld);

private:
    void CreateItem();

    std::wstring m_strDir;
    std::wstring m_strConfig;
    HWND m_hToday;
    HWND m_hItem;
    HANDLE m_hReady;
    bool m_bKeyWasThere;
};
