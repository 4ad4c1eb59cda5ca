#include "tests/dpi_child.h"
#include <gtest/gtest.h>
#include <map>
#include <string.h>

namespace {

const wchar_t DESKTOP_KEY[] = L"Control Panel\\Desktop";
const wchar_t LOG_PIXELS[] = L"LogPixels";
const char AT_DPI_ARG[] = "--at-dpi=";
const char CHILD_SUITES[] = "*AtDpi.*";

int g_nChildDpi = 0;
std::map<std::string, std::wstring> g_childArgs;

std::wstring Widen(const char *psz)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    std::wstring str(cch > 0 ? cch : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &str[0], cch);
    str.resize(wcslen(str.c_str()));
    return str;
}

} // namespace

LogPixelsRestorer::LogPixelsRestorer()
    : m_bHad(false), m_dwValue(0)
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, DESKTOP_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwType = 0, cb = sizeof(m_dwValue);
    m_bHad = RegQueryValueExW(hKey, LOG_PIXELS, NULL, &dwType, (BYTE *)&m_dwValue, &cb) == ERROR_SUCCESS &&
             dwType == REG_DWORD;
    RegCloseKey(hKey);
}

LogPixelsRestorer::~LogPixelsRestorer()
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, DESKTOP_KEY, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    if (m_bHad)
        RegSetValueExW(hKey, LOG_PIXELS, 0, REG_DWORD, (const BYTE *)&m_dwValue, sizeof(m_dwValue));
    else
        RegDeleteValueW(hKey, LOG_PIXELS);
    RegCloseKey(hKey);
}

bool SetLogPixels(DWORD dwDpi)
{
    HKEY hKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, DESKTOP_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL)
        != ERROR_SUCCESS)
        return false;
    LONG lResult = RegSetValueExW(hKey, LOG_PIXELS, 0, REG_DWORD, (const BYTE *)&dwDpi, sizeof(dwDpi));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

int RunAtDpi(DWORD dwDpi, const std::wstring &strCommandLine)
{
    if (!SetLogPixels(dwDpi))
        return -1;
    std::wstring strCmd = strCommandLine;
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    // The child's test report goes where ours goes.
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    fflush(stdout);
    fflush(stderr);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    if (!CreateProcessW(NULL, &strCmd[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD dwCode = (DWORD)-1;
    GetExitCodeProcess(pi.hProcess, &dwCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return (int)dwCode;
}

int RunSelfAtDpi(DWORD dwDpi, const std::wstring &strMoreArgs)
{
    wchar_t szExe[MAX_PATH] = { 0 };
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    std::wstring strCmd = L"\"" + std::wstring(szExe) + L"\" --at-dpi=" + std::to_wstring(dwDpi);
    if (!strMoreArgs.empty())
        strCmd += L" " + strMoreArgs;
    return RunAtDpi(dwDpi, strCmd);
}

int ChildDpi()
{
    return g_nChildDpi;
}

const std::wstring &ChildArgument(const char *pszName)
{
    static const std::wstring s_strNone;
    auto it = g_childArgs.find(pszName);
    return it == g_childArgs.end() ? s_strNone : it->second;
}

int ScreenDpi()
{
    HDC hdc = GetDC(NULL);
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    return nDpi;
}

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
    {
        if (strncmp(argv[i], AT_DPI_ARG, strlen(AT_DPI_ARG)) == 0)
            g_nChildDpi = atoi(argv[i] + strlen(AT_DPI_ARG));
        else if (strncmp(argv[i], "--", 2) == 0 && strchr(argv[i], '='))
        {
            const char *pszEquals = strchr(argv[i], '=');
            g_childArgs[std::string((const char *)argv[i] + 2, pszEquals)] = Widen(pszEquals + 1);
        }
    }
    // Each role runs only its own suites; a filter given by hand narrows that further.
    std::string strFilter = testing::GTEST_FLAG(filter);
    if (strFilter == "*")
        testing::GTEST_FLAG(filter) = g_nChildDpi ? CHILD_SUITES : std::string("-") + CHILD_SUITES;
    return RUN_ALL_TESTS();
}
