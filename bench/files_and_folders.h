#pragma once
// Files and folders: whole files written and read, the program's own folder, fresh temporary
// folders, their removal, and a folder's listing.
#include <string>
#include <vector>

bool WriteWholeFile(const std::wstring &strPath, const std::string &strBytes);
// Reads as the configuration reader does: the same sharing, and a moment's patience while
// another process replaces the file. False when the file cannot be opened.
bool ReadWholeFile(const std::wstring &strPath, std::string *pstrBytes);

std::wstring ExeDir();
std::wstring TempFolder(const wchar_t *pszName);   // made fresh under %TEMP%
void RemoveFolder(const std::wstring &strDir);

// The names in a folder, files and folders, "." and ".." left out, sorted.
std::vector<std::wstring> FilesIn(const std::wstring &strDir);
