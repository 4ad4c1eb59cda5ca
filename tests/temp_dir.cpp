#include "tests/temp_dir.h"
#include <stdio.h>

static void RemoveTree(const std::wstring &strDir)
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strDir + L"\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::wstring strName = fd.cFileName;
            if (strName == L"." || strName == L"..")
                continue;
            std::wstring strPath = strDir + L"\\" + strName;
            SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strPath);
            else
                DeleteFileW(strPath.c_str());
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryW(strDir.c_str());
}

TempDir::TempDir()
{
    static LONG s_nCounter = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    wchar_t szName[64];
    _snwprintf(szName, 63, L"ulvo-test-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&s_nCounter));
    szName[63] = 0;
    m_strPath = std::wstring(szTemp) + szName;
    if (!m_strPath.empty() && m_strPath.back() == L'\\')
        m_strPath.pop_back();
    RemoveTree(m_strPath);
    CreateDirectoryW(m_strPath.c_str(), NULL);
}

TempDir::~TempDir()
{
    RemoveTree(m_strPath);
}

std::string ReadFileBytes(const std::wstring &strPath)
{
    std::string strBytes;
    FILE *pFile = _wfopen(strPath.c_str(), L"rb");
    if (!pFile)
        return strBytes;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), pFile)) > 0)
        strBytes.append(buf, n);
    fclose(pFile);
    return strBytes;
}

bool WriteFileBytes(const std::wstring &strPath, const std::string &strBytes)
{
    FILE *pFile = _wfopen(strPath.c_str(), L"wb");
    if (!pFile)
        return false;
    bool bOk = fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return fclose(pFile) == 0 && bOk;
}

bool FileExists(const std::wstring &strPath)
{
    return GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring BinDir()
{
    wchar_t szPath[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    std::wstring strPath = szPath;
    return strPath.substr(0, strPath.rfind(L'\\'));
}
