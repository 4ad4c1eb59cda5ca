#pragma once
#include <windows.h>
#include <string>

// A fresh directory under the temporary folder, removed with everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::wstring &Path() const { return m_strPath; }
    std::wstring File(const wchar_t *pszName) const { return m_strPath + L"\\" + pszName; }

private:
    std::wstring m_strPath;
};

std::string ReadFileBytes(const std::wstring &strPath);
bool WriteFileBytes(const std::wstring &strPath, const std::string &strBytes);
bool FileExists(const std::wstring &strPath);

// The folder the test executable runs from: the build's programs and libraries lie there too.
std::wstring BinDir();
