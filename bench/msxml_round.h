#pragma once
#include <windows.h>
#include <string>

// One round of the item's document work through the platform's XML DOM component on a UTF-8
// settings file: false when the component could not be made or the file not loaded.
bool MsxmlConfigRound(const std::wstring &strPath, std::wstring *pstrStart, std::wstring *pstrMethod);
