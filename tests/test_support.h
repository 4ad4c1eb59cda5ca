#pragma once
// What every suite shares: files and folders, the pinned date, windows (text, pumping, finding,
// making), processes started and reaped, the test Today window and item registration, import
// patching, and children run at another screen density. The main routine is here too.
#include <windows.h>
#include <string>
#include <vector>
// The bench's file and folder helpers serve the tests too: ExeDir, the folder the programs lie
// in, WriteWholeFile, FilesIn, RemoveFolder and the rest.
#include "bench/files_and_folders.h"

// --- Files ---------------------------------------------------------------------------------

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::wstring &Path() const { return m_strPath; }
    std::wstring File(const wchar_t *pszName) const { return m_strPath + L"\\" + pszName; }

private:
    TempDir(const TempDir &);
    TempDir &operator=(const TempDir &);
    std::wstring m_strPath;
};

// The file's bytes, empty when it cannot be read.
std::string ReadFileBytes(const std::wstring &strPath);
bool FileExists(const std::wstring &strPath);
// config.xml as the settings save writes it: the GB2312 declaration and CONFIG holding strBody.
// (With just StartTime and CalcMethod it is the bench's ConfigFile.)
std::string ConfigXml(const std::string &strBody);

// --- The date --------------------------------------------------------------------------------

// Pins the deliverables' "today" to a date of the test's choosing while in scope, late in the
// day unless a time of day is set too.
class FixedToday
{
public:
    FixedToday(int nYear, int nMonth, int nDay);
    ~FixedToday();
    void Set(int nYear, int nMonth, int nDay);
    void SetTime(int nHour, int nMinute, int nSecond);
};

// --- Windows -----------------------------------------------------------------------------------

// A window's text as WM_GETTEXT gives it, in this process or another.
std::wstring WindowText(HWND hWnd);
// Runs this thread's pending messages.
void Pump();
// Waits for a handle (or, with none, just the time) while answering what is sent to this
// thread's windows. True when the handle was signalled.
bool WaitPumping(HANDLE h, DWORD dwLimitMs);
// Pumps until the condition holds or the limit passes; whether it held.
template <class F> bool PumpUntil(F condition, DWORD dwLimitMs = 30000)
{
    for (DWORD dw = 0; !condition(); dw += 20)
    {
        if (dw >= dwLimitMs)
            return false;
        WaitPumping(NULL, 20);
    }
    return true;
}

// Top-level windows of a class, of one process when dwProcessId is given, in Z order.
std::vector<HWND> TopLevelWindows(const wchar_t *pszClass, DWORD dwProcessId = 0);
// The first descendant of hParent of that class, or null.
HWND FindDescendant(HWND hParent, const wchar_t *pszClass);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hChild);

// A window of a class registered (once) for this process, with its own procedure or the
// default one; the title is the class name unless given.
HWND CreateTestWindow(const wchar_t *pszClass, DWORD dwStyle, RECT rc, WNDPROC pfnProc = NULL,
                      HWND hParent = NULL, const wchar_t *pszTitle = NULL);

// A Today window as the shell hands one to its items: it answers the text colour and paints a
// plain background under an item when asked.
extern const COLORREF TEST_TODAY_TEXT;
extern const COLORREF TEST_TODAY_BACKGROUND;
HWND CreateTestTodayWindow(int x, int y, int cx, int cy);

// A Today item as installation registers it for the shell, under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Today\Items\<name>; gone again with the object.
class RegisteredTodayItem
{
public:
    RegisteredTodayItem(const wchar_t *pszName, const std::wstring &strDll, DWORD dwOrder = 0,
                        DWORD dwEnabled = 1, DWORD dwType = 4);
    ~RegisteredTodayItem();

private:
    std::wstring m_strKey;
};

// --- Processes -------------------------------------------------------------------------------

// A bound for a slow start under Wine, never a measure.
const DWORD PROCESS_WAIT_LIMIT_MS = 60000;

// The programs a test started: whatever still runs when the holder goes is ended, so a failing
// test leaves nothing behind.
class ChildProcesses
{
public:
    ChildProcesses() {}
    ~ChildProcesses();
    // Starts strExe with the arguments in strDir; the process handle, or null.
    HANDLE Start(const std::wstring &strExe, const std::wstring &strArgs, const std::wstring &strDir);
    HANDLE Track(HANDLE hProcess);

private:
    ChildProcesses(const ChildProcesses &);
    ChildProcesses &operator=(const ChildProcesses &);
    std::vector<HANDLE> m_processes;
};

// The exit code of a process once it ends, pumping meanwhile, or 0xDEAD when it does not end.
DWORD ExitCodeOf(HANDLE hProcess);

// Copies the deliverables (Main.exe, ulvo.dll, UlvoRes.dll and the shell stand-in) from the
// build into a folder, as the device has them installed side by side.
bool InstallDeliverables(const std::wstring &strDir);
// UlvoRes.dll as it was built before it carried the pictures drawn for 192 dpi.
std::wstring LibraryWithout192DpiPictures();

// --- Imports -----------------------------------------------------------------------------------

// Points a module's import of pszFunction from pszDll at pNew; the function it called before,
// or null when the module does not import it.
void *PatchImport(HMODULE hModule, const char *pszDll, const char *pszFunction, void *pNew);

// --- Screen density ------------------------------------------------------------------------------

// Wine reads the screen's density (HKCU\Control Panel\Desktop, LogPixels) when a process starts,
// so a check at another density runs in a child process of this executable:
//   no --at-dpi      the parent: every suite but the *AtDpi ones
//   --at-dpi=N       a child: only the *AtDpi suites, on a screen of N dots per inch
// The prefix's density is put back as it was afterwards. The child's exit code, -1 when it
// could not be started.
int RunSelfAtDpi(DWORD dwDpi, const std::wstring &strMoreArgs = L"");
// In a child: the density it was started for (0 in the parent) and its "--name=value" arguments.
int ChildDpi();
std::wstring ChildArgument(const char *pszName);
// The screen's vertical density as this process sees it.
int ScreenDpi();

// The Today item's window as the item published it for the main program, or null.
HWND PublishedItemWindow();

// Another role of every test executable, for checks across processes:
//   --post-refresh   posts the Today item's refresh message, as the main program does after a
//                    save, to the window the item published; exit code 0 when posted.
