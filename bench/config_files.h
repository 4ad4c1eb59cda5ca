#pragma once
// Configuration files as the settings save writes them, and the check of one read while
// another process saves it.
#include <string>

// A configuration file as the settings save writes it.
std::string ConfigFile(const char *pszStart, const char *pszMethod, const char *pszEncoding = "GB2312");

// Checks what a reader saw of a configuration file being saved by another process: a whole
// document with both values, a date among the saved ones and a method of "1" or "2".
bool IsWholeConfig(const std::string &strBytes);
