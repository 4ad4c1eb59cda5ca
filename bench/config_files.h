#pragma once
// Configuration files as the settings save writes them, and the check of one read while
// another process saves it.
#include <windows.h>
#include <string>

// A configuration file as the settings save writes it.
std::string ConfigFile(const char *pszStart, const char *pszMethod, const char *pszEncoding = "GB2312");

// Checks what a reader saw of a configuration file being saved by another process: a whole
// document with both values, a date among the saved ones and a method of "1" or "2".
bool IsWholeConfig(const std::string &strBytes);

// The moment nDays whole days before st, on the calendar.
SYSTEMTIME DaysBefore(SYSTEMTIME st, int nDays);

// The local date nDays before today by the machine's clock, for programs that read the clock
// themselves; and a date as the settings save writes it ("2010-1-5").
SYSTEMTIME LocalDateDaysAgo(int nDays);
std::string StoredDate(const SYSTEMTIME &st);
