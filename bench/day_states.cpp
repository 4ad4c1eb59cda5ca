// The item's line and Main's status read back into day states.
#include "bench/day_states.h"
#include "bench/child_processes.h"
#include "bench/files_and_folders.h"
#include <windows.h>
#include <cstdio>
#include <cwchar>

namespace {

const wchar_t PREGNANT_PREFIX[] = L"今天是您怀孕的";
const wchar_t WEEK_FORMAT[] = L"孕周: %d 周 %d 天";

struct FixedDayText
{
    const wchar_t *pszText;
    const char *pszState;
};

std::string FixedDayState(const std::wstring &strText, const FixedDayText *pTexts, size_t nTexts)
{
    for (size_t i = 0; i < nTexts; i++)
        if (strText == pTexts[i].pszText)
            return pTexts[i].pszState;
    return "";
}

// "week W day D" when strText, after strPrefix, is exactly the week text; else empty.
std::string WeekState(const std::wstring &strText, const wchar_t *pszPrefix)
{
    size_t cchPrefix = wcslen(pszPrefix);
    if (strText.compare(0, cchPrefix, pszPrefix) != 0)
        return "";
    std::wstring strWeek = strText.substr(cchPrefix);
    int nWeek = 0, nDay = 0;
    if (swscanf(strWeek.c_str(), WEEK_FORMAT, &nWeek, &nDay) != 2)
        return "";
    wchar_t szAgain[64];
    _snwprintf(szAgain, ARRAYSIZE(szAgain), WEEK_FORMAT, nWeek, nDay);
    szAgain[ARRAYSIZE(szAgain) - 1] = 0;
    if (strWeek != szAgain)
        return "";
    char sz[48];
    snprintf(sz, sizeof(sz), "week %d day %d", nWeek, nDay);
    return sz;
}

std::string UnknownDayState(const std::wstring &strText)
{
    std::string str = "?";
    for (wchar_t ch : strText)
    {
        char sz[8];
        snprintf(sz, sizeof(sz), ch < 0x80 && ch >= 0x20 ? "%c" : "\\u%04x", (unsigned)ch);
        str += sz;
    }
    return str;
}

}  // namespace

std::string DayStateOfItemLine(const std::wstring &strLine)
{
    static const FixedDayText ITEM_TEXTS[] = {
        { L"请单击此处，设置您的预产期", "prompt" },
        { L"今天您已过预产期!\n 更多详情请点击查看", "past due" },
        { L"今天是您预产期第一天\n 更多详情请点击查看", "first day" },
        { L"今天是您的预产期!\n 更多详情请点击查看", "due day" },
    };
    static const wchar_t MORE[] = L"\n 更多详情请点击查看";
    std::string strState = FixedDayState(strLine, ITEM_TEXTS, ARRAYSIZE(ITEM_TEXTS));
    size_t cchMore = ARRAYSIZE(MORE) - 1;
    if (strState.empty() && strLine.size() > cchMore && strLine.compare(strLine.size() - cchMore, cchMore, MORE) == 0)
        strState = WeekState(strLine.substr(0, strLine.size() - cchMore), PREGNANT_PREFIX);
    return strState.empty() ? UnknownDayState(strLine) : strState;
}

std::string DayStateOfMainStatus(const std::wstring &strStatus)
{
    static const FixedDayText MAIN_TEXTS[] = {
        { L"请设置怀孕开始时间", "prompt" },
        { L"今天是您预产期第一天!", "first day" },
        { L"今天是您的预产期!", "due day" },
    };
    std::string strState = FixedDayState(strStatus, MAIN_TEXTS, ARRAYSIZE(MAIN_TEXTS));
    // Past the due day the status still counts the weeks; the item only says it is past.
    if (strState.empty() && !WeekState(strStatus, L"您已过预产期!今天是您怀孕的").empty())
        strState = "past due";
    if (strState.empty())
        strState = WeekState(strStatus, PREGNANT_PREFIX);
    return strState.empty() ? UnknownDayState(strStatus) : strState;
}

bool ItemFuzzStates(int nFirst, int nCount, std::vector<std::string> *pStates)
{
    pStates->clear();
    wchar_t szTemp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, szTemp);
    wchar_t szPath[MAX_PATH];
    _snwprintf(szPath, MAX_PATH, L"%sulvo-item-states-%lu.txt", szTemp, GetCurrentProcessId());
    szPath[MAX_PATH - 1] = 0;
    DeleteFileW(szPath);
    wchar_t szArgs[64];
    _snwprintf(szArgs, ARRAYSIZE(szArgs), L" fuzz-states %d %d ", nFirst, nCount);
    szArgs[ARRAYSIZE(szArgs) - 1] = 0;
    HANDLE hItem = StartProcess(L"\"" + ExeDir() + L"\\bench_item.exe\"" + szArgs + L"\"" + szPath + L"\"");
    if (!hItem)
        return false;
    const DWORD ITEM_STATES_WAIT_MS = 300000;
    DWORD dwExit = 1;
    if (WaitForSingleObject(hItem, ITEM_STATES_WAIT_MS) != WAIT_OBJECT_0)
        TerminateProcess(hItem, 1);
    GetExitCodeProcess(hItem, &dwExit);
    CloseHandle(hItem);
    std::string strAll;
    bool bRead = ReadWholeFile(szPath, &strAll);
    DeleteFileW(szPath);
    size_t nAt = 0;
    while (bRead && nAt < strAll.size())
    {
        size_t nEnd = strAll.find('\n', nAt);
        if (nEnd == std::string::npos)
            break;
        pStates->push_back(strAll.substr(nAt, nEnd - nAt));
        nAt = nEnd + 1;
    }
    return dwExit == 0 && (int)pStates->size() == nCount;
}
