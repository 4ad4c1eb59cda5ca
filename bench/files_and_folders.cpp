// Whole files, the program's folder, temporary folders and folder listings.
#include "bench/files_and_folders.h"
#include <windows.h>
#include <algorithm>
#include <cwchar>

bool WriteWholeFile(const std::wstring &strPath, const std::string &strBytes)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD cbWritten = 0;
    BOOL bOk = strBytes.empty() || WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &cbWritten, NULL);
    CloseHandle(hFile);
    return bOk && cbWritten == strBytes.size();
}

bool ReadWholeFile(const std::wstring &strPath, std::string *pstrBytes)
{
    pstrBytes->clear();
    HANDLE hFile = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 200; i++)
    {
        hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(1);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD cbRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead)
        pstrBytes->append(buffer, cbRead);
    CloseHandle(hFile);
    return true;
}

std::wstring ExeDir()
{
    wchar_t sz[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, sz, MAX_PATH);
    std::wstring str = sz;
    return str.substr(0, str.rfind(L'\\'));
}

std::wstring TempFolder(const wchar_t *pszName)
{
    wchar_t szTemp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, szTemp);
    wchar_t szDir[MAX_PATH];
    _snwprintf(szDir, MAX_PATH, L"%s%s-%lu", szTemp, pszName, GetCurrentProcessId());
    szDir[MAX_PATH - 1] = 0;
    RemoveFolder(szDir);
    CreateDirectoryW(szDir, NULL);
    return szDir;
}

void RemoveFolder(const std::wstring &strDir)
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
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(strPath);
            else
            {
                SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(strPath.c_str());
            }
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryW(strDir.c_str());
}

std::vector<std::wstring> FilesIn(const std::wstring &strDir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strDir + L"\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (wcscmp(fd.cFileName, L".") != 0 && wcscmp(fd.cFileName, L"..") != 0)
            names.push_back(fd.cFileName);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}
