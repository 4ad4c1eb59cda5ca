#pragma once
#include <windows.h>
#include <string>

// Wine reads the screen's density (HKCU\Control Panel\Desktop, LogPixels) when a process
// starts, so a test of another density runs part of itself again as a child process.
// The executable's own main sorts the two roles:
//   no --at-dpi      the parent: every suite but the *AtDpi ones
//   --at-dpi=N       a child: only the *AtDpi suites, expecting N dots per inch

// Puts the prefix's density back as it was, whatever the test found.
class LogPixelsRestorer
{
public:
    LogPixelsRestorer();
    ~LogPixelsRestorer();

private:
    bool m_bHad;
    DWORD m_dwValue;
};

// Sets the density that processes started from now on will see.
bool SetLogPixels(DWORD dwDpi);

// Starts a program under that density with our console, waits for it and returns its
// exit code, or -1 when it could not be started.
int RunAtDpi(DWORD dwDpi, const std::wstring &strCommandLine);

// This executable again, as a child at that density, with more arguments after --at-dpi=N.
int RunSelfAtDpi(DWORD dwDpi, const std::wstring &strMoreArgs = L"");

// In a child: the density it was started for (0 in the parent) and the arguments after it.
int ChildDpi();
const std::wstring &ChildArgument(const char *pszName);

// The screen's vertical density as this process sees it.
int ScreenDpi();
