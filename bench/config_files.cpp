// Configuration files as the settings save writes them, and the check of a reader's view of one.
#include "bench/config_files.h"
#include <cstdio>

std::string ConfigFile(const char *pszStart, const char *pszMethod, const char *pszEncoding)
{
    std::string str = std::string("<?xml version=\"1.0\" encoding=\"") + pszEncoding + "\"?>\r\n<CONFIG>";
    if (pszStart)
        str += std::string("<StartTime>") + pszStart + "</StartTime>";
    if (pszMethod)
        str += std::string("<CalcMethod>") + pszMethod + "</CalcMethod>";
    return str + "</CONFIG>\r\n";
}

bool IsWholeConfig(const std::string &strBytes)
{
    static const char PREFIX[] = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG><StartTime>";
    static const char MIDDLE[] = "</StartTime><CalcMethod>";
    static const char SUFFIX[] = "</CalcMethod></CONFIG>\r\n";
    if (strBytes.compare(0, sizeof(PREFIX) - 1, PREFIX) != 0)
        return false;
    size_t nMiddle = strBytes.find(MIDDLE);
    if (nMiddle == std::string::npos)
        return false;
    int nYear = 0, nMonth = 0, nDay = 0;
    char chEnd = 0;
    std::string strDate = strBytes.substr(sizeof(PREFIX) - 1, nMiddle - (sizeof(PREFIX) - 1));
    if (sscanf(strDate.c_str(), "%d-%d-%d%c", &nYear, &nMonth, &nDay, &chEnd) != 3
        || nYear < 2000 || nYear > 2100 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return false;
    std::string strRest = strBytes.substr(nMiddle + sizeof(MIDDLE) - 1);
    return strRest == std::string("1") + SUFFIX || strRest == std::string("2") + SUFFIX;
}

SYSTEMTIME DaysBefore(SYSTEMTIME st, int nDays)
{
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u = { { ft.dwLowDateTime, ft.dwHighDateTime } };
    u.QuadPart -= (ULONGLONG)nDays * 24 * 3600 * 10000000;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    FileTimeToSystemTime(&ft, &st);
    return st;
}

SYSTEMTIME LocalDateDaysAgo(int nDays)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return DaysBefore(st, nDays);
}

std::string StoredDate(const SYSTEMTIME &st)
{
    char szDate[32];
    snprintf(szDate, sizeof(szDate), "%d-%d-%d", st.wYear, st.wMonth, st.wDay);
    return szDate;
}
