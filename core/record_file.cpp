#include "core/record_file.h"
#include <string.h>
#include <strsafe.h>

namespace {

const char *const KIND_WORDS[RECORD_KIND_COUNT] = {
    "kick", "contraction_start", "contraction_end", "contraction_undo"
};

// "YYYY-MM-DD HH:MM:SS," before the event's word.
const int STAMP_CHARS = 20;
const int LINE_CCH = 64;
const char LINE_END[] = "\r\n";
const int LINE_END_CHARS = 2;
const int MIN_CAPACITY = 64;

// Days of 2000-01-01 counted from 1970-01-01, the epoch of the civil-day formulas below.
const int DAYS_1970_TO_2000 = 10957;

BOOL IsLeap(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int s_anDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return nMonth == 2 && IsLeap(nYear) ? 29 : s_anDays[nMonth - 1];
}

// The Gregorian day of a date from 1970-01-01, for years from 1 on: the clock's calendar,
// whatever the century.
int DaysFromCivil(int nYear, int nMonth, int nDay)
{
    int y = nYear - (nMonth <= 2 ? 1 : 0);
    int nEra = y / 400;
    int nYearOfEra = y - nEra * 400;
    int nDayOfYear = (153 * (nMonth + (nMonth > 2 ? -3 : 9)) + 2) / 5 + nDay - 1;
    int nDayOfEra = nYearOfEra * 365 + nYearOfEra / 4 - nYearOfEra / 100 + nDayOfYear;
    return nEra * 146097 + nDayOfEra - 719468;
}

// nCount decimal digits of nValue, with leading zeros.
char *PutDigits(char *p, int nCount, int nValue)
{
    for (int i = nCount - 1; i >= 0; i--, nValue /= 10)
        p[i] = (char)('0' + nValue % 10);
    return p + nCount;
}

int Digits(const char *p, int nCount)
{
    int nValue = 0;
    for (int i = 0; i < nCount; i++)
    {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        nValue = nValue * 10 + (p[i] - '0');
    }
    return nValue;
}

// One line without its line end: the time and kind of the event, or FALSE. A line cut short
// right before its line feed and ended by the next append keeps its carriage return.
BOOL ParseLine(const char *p, int cch, int *pnTime, int *pnKind)
{
    while (cch > 0 && p[cch - 1] == '\r')
        --cch;
    if (cch <= STAMP_CHARS || p[4] != '-' || p[7] != '-' || p[10] != ' ' || p[13] != ':' || p[16] != ':'
        || p[19] != ',')
        return FALSE;
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof(st));
    int anParts[6] = { Digits(p, 4), Digits(p + 5, 2), Digits(p + 8, 2),
                       Digits(p + 11, 2), Digits(p + 14, 2), Digits(p + 17, 2) };
    for (int i = 0; i < 6; i++)
        if (anParts[i] < 0)
            return FALSE;
    st.wYear = (WORD)anParts[0];
    st.wMonth = (WORD)anParts[1];
    st.wDay = (WORD)anParts[2];
    st.wHour = (WORD)anParts[3];
    st.wMinute = (WORD)anParts[4];
    st.wSecond = (WORD)anParts[5];
    int nTime = RecordTimeOf(st);
    if (nTime < 0)
        return FALSE;
    const char *pszWord = p + STAMP_CHARS;
    int cchWord = cch - STAMP_CHARS;
    for (int nKind = 0; nKind < RECORD_KIND_COUNT; nKind++)
    {
        if ((int)strlen(KIND_WORDS[nKind]) == cchWord && memcmp(KIND_WORDS[nKind], pszWord, cchWord) == 0)
        {
            *pnTime = nTime;
            *pnKind = nKind;
            return TRUE;
        }
    }
    return FALSE;
}

// Writes all of cb bytes, as one write where the storage takes it at once.
BOOL WriteAll(HANDLE hFile, const char *p, DWORD cb)
{
    while (cb > 0)
    {
        DWORD cbWritten = 0;
        if (!WriteFile(hFile, p, cb, &cbWritten, NULL) || cbWritten == 0)
            return FALSE;
        p += cbWritten;
        cb -= cbWritten;
    }
    return TRUE;
}

BOOL ReadAll(HANDLE hFile, char *p, DWORD cb)
{
    while (cb > 0)
    {
        DWORD cbRead = 0;
        if (!ReadFile(hFile, p, cb, &cbRead, NULL) || cbRead == 0)
            return FALSE;
        p += cbRead;
        cb -= cbRead;
    }
    return TRUE;
}

// Whether the file's last byte ends a line; an empty file ends none.
BOOL EndsWithLineEnd(HANDLE hFile, DWORD cbFile)
{
    char ch = 0;
    return cbFile > 0 && SetFilePointer(hFile, -1, NULL, FILE_END) != INVALID_SET_FILE_POINTER
        && ReadAll(hFile, &ch, 1) && ch == '\n';
}

}  // namespace

int RecordTimeOf(const SYSTEMTIME &st)
{
    if (st.wYear < RECORD_FIRST_YEAR || st.wYear > RECORD_LAST_YEAR || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1
        || st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59)
        return -1;
    int nDay = DaysFromCivil(st.wYear, st.wMonth, st.wDay) - DAYS_1970_TO_2000;
    return nDay * RECORD_SECONDS_PER_DAY + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
}

void RecordDateOfDay(int nDay, int *pnYear, int *pnMonth, int *pnDay)
{
    int z = nDay + DAYS_1970_TO_2000 + 719468;
    int nEra = z / 146097;
    int nDayOfEra = z - nEra * 146097;
    int nYearOfEra = (nDayOfEra - nDayOfEra / 1460 + nDayOfEra / 36524 - nDayOfEra / 146096) / 365;
    int nDayOfYear = nDayOfEra - (365 * nYearOfEra + nYearOfEra / 4 - nYearOfEra / 100);
    int nMonthIndex = (5 * nDayOfYear + 2) / 153;
    int nMonth = nMonthIndex < 10 ? nMonthIndex + 3 : nMonthIndex - 9;
    *pnDay = nDayOfYear - (153 * nMonthIndex + 2) / 5 + 1;
    *pnMonth = nMonth;
    *pnYear = nYearOfEra + nEra * 400 + (nMonth <= 2 ? 1 : 0);
}

RecordList::RecordList()
    : m_pEvents(NULL), m_nCount(0), m_nCapacity(0)
{
}

RecordList::~RecordList()
{
    Clear();
}

void RecordList::Clear()
{
    if (m_pEvents)
        HeapFree(GetProcessHeap(), 0, m_pEvents);
    m_pEvents = NULL;
    m_nCount = m_nCapacity = 0;
}

BOOL RecordList::Reserve(int nCount)
{
    if (nCount <= m_nCapacity)
        return TRUE;
    int nCapacity = m_nCapacity ? m_nCapacity : MIN_CAPACITY;
    while (nCapacity < nCount)
        nCapacity *= 2;
    SIZE_T cb = (SIZE_T)nCapacity * sizeof(RecordEvent);
    void *p = m_pEvents ? HeapReAlloc(GetProcessHeap(), 0, m_pEvents, cb) : HeapAlloc(GetProcessHeap(), 0, cb);
    if (!p)
        return FALSE;
    m_pEvents = (RecordEvent *)p;
    m_nCapacity = nCapacity;
    return TRUE;
}

BOOL RecordList::Add(int nTime, int nKind)
{
    if (!Reserve(m_nCount + 1))
        return FALSE;
    int i = m_nCount;
    while (i > 0 && m_pEvents[i - 1].nTime > nTime)
        --i;
    MoveMemory(m_pEvents + i + 1, m_pEvents + i, (m_nCount - i) * sizeof(RecordEvent));
    m_pEvents[i].nTime = nTime;
    m_pEvents[i].nKind = nKind;
    ++m_nCount;
    return TRUE;
}

// A stable merge sort, bottom up: the file is in order but where the clock went back, and a
// clock set back once must not make every later event cost a walk over all earlier ones.
void RecordList::SortByTime()
{
    BOOL bSorted = TRUE;
    for (int i = 1; i < m_nCount && bSorted; i++)
        bSorted = m_pEvents[i - 1].nTime <= m_pEvents[i].nTime;
    if (bSorted)
        return;
    RecordEvent *pTemp = (RecordEvent *)HeapAlloc(GetProcessHeap(), 0, m_nCount * sizeof(RecordEvent));
    if (!pTemp)
        return;
    RecordEvent *pFrom = m_pEvents, *pTo = pTemp;
    for (int nRun = 1; nRun < m_nCount; nRun *= 2)
    {
        for (int nLeft = 0; nLeft < m_nCount; nLeft += 2 * nRun)
        {
            int nMid = nLeft + nRun < m_nCount ? nLeft + nRun : m_nCount;
            int nEnd = nLeft + 2 * nRun < m_nCount ? nLeft + 2 * nRun : m_nCount;
            int a = nLeft, b = nMid, k = nLeft;
            while (a < nMid && b < nEnd)
                pTo[k++] = pFrom[b].nTime < pFrom[a].nTime ? pFrom[b++] : pFrom[a++];
            while (a < nMid)
                pTo[k++] = pFrom[a++];
            while (b < nEnd)
                pTo[k++] = pFrom[b++];
        }
        RecordEvent *pSwap = pFrom;
        pFrom = pTo;
        pTo = pSwap;
    }
    if (pFrom != m_pEvents)
        CopyMemory(m_pEvents, pFrom, m_nCount * sizeof(RecordEvent));
    HeapFree(GetProcessHeap(), 0, pTemp);
}

void RecordList::ParseText(const char *pData, int cbData, BOOL bFromLineStart)
{
    int nStart = 0;
    if (!bFromLineStart)
    {
        while (nStart < cbData && pData[nStart] != '\n')
            ++nStart;
        ++nStart;
    }
    for (int i = nStart; i < cbData; i++)
    {
        if (pData[i] != '\n')
            continue;
        int nTime = 0, nKind = 0;
        if (ParseLine(pData + nStart, i - nStart, &nTime, &nKind) && Reserve(m_nCount + 1))
        {
            m_pEvents[m_nCount].nTime = nTime;
            m_pEvents[m_nCount].nKind = nKind;
            ++m_nCount;
        }
        nStart = i + 1;
    }
    SortByTime();
}

RecordFile::RecordFile()
{
    m_szPath[0] = 0;
}

RecordFile::~RecordFile()
{
}

BOOL RecordFile::SetPathBeside(const WCHAR *pszSibling)
{
    m_szPath[0] = 0;
    if (!pszSibling || FAILED(StringCchCopyW(m_szPath, ARRAYSIZE(m_szPath), pszSibling)))
        return FALSE;
    WCHAR *pszName = m_szPath;
    for (WCHAR *p = m_szPath; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            pszName = p + 1;
    *pszName = 0;
    if (FAILED(StringCchCatW(m_szPath, ARRAYSIZE(m_szPath), RECORDS_FILE_NAME)))
    {
        m_szPath[0] = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL RecordFile::Append(const SYSTEMTIME &st, int nKind)
{
    if (!m_szPath[0] || nKind < 0 || nKind >= RECORD_KIND_COUNT || RecordTimeOf(st) < 0)
        return FALSE;
    // A file made read-only is left as it is, also where the file system would let its owner
    // write it all the same.
    DWORD dwAttributes = GetFileAttributesW(m_szPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;
    HANDLE hFile = CreateFileW(m_szPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;

    // Header, the end of a line cut short, and the event: one write, so that the event's line is
    // whole on storage or not there at all but for its beginning.
    char szText[sizeof(RECORDS_HEADER) + LINE_END_CHARS + LINE_CCH];
    szText[0] = 0;
    DWORD cbFile = GetFileSize(hFile, NULL);
    BOOL bOk = cbFile != INVALID_FILE_SIZE;
    if (bOk && cbFile == 0)
        StringCchCopyA(szText, ARRAYSIZE(szText), RECORDS_HEADER);
    else if (bOk && !EndsWithLineEnd(hFile, cbFile))
        StringCchCopyA(szText, ARRAYSIZE(szText), LINE_END);
    // The stamp's fields have fixed widths: a date RecordTimeOf took has at most 4 + 5 * 2 digits.
    char *p = szText + strlen(szText);
    p = PutDigits(p, 4, st.wYear);
    *p++ = '-';
    p = PutDigits(p, 2, st.wMonth);
    *p++ = '-';
    p = PutDigits(p, 2, st.wDay);
    *p++ = ' ';
    p = PutDigits(p, 2, st.wHour);
    *p++ = ':';
    p = PutDigits(p, 2, st.wMinute);
    *p++ = ':';
    p = PutDigits(p, 2, st.wSecond);
    *p++ = ',';
    *p = 0;
    bOk = bOk
        && SUCCEEDED(StringCchCatA(szText, ARRAYSIZE(szText), KIND_WORDS[nKind]))
        && SUCCEEDED(StringCchCatA(szText, ARRAYSIZE(szText), LINE_END))
        && SetFilePointer(hFile, 0, NULL, FILE_END) != INVALID_SET_FILE_POINTER
        && WriteAll(hFile, szText, (DWORD)strlen(szText))
        && FlushFileBuffers(hFile);
    CloseHandle(hFile);
    return bOk;
}

BOOL RecordFile::ReadTail(RecordList *pList)
{
    pList->Clear();
    if (!m_szPath[0])
        return FALSE;
    HANDLE hFile = CreateFileW(m_szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD cbFile = GetFileSize(hFile, NULL);
    BOOL bOk = FALSE;
    if (cbFile != INVALID_FILE_SIZE)
    {
        // From one byte before the tail, so that a tail beginning right after a line end keeps
        // its first line.
        DWORD cbRead = cbFile < (DWORD)RECORDS_TAIL_BYTES + 1 ? cbFile : (DWORD)RECORDS_TAIL_BYTES + 1;
        DWORD dwFrom = cbFile - cbRead;
        char *pData = (char *)HeapAlloc(GetProcessHeap(), 0, cbRead ? cbRead : 1);
        if (pData && SetFilePointer(hFile, (LONG)dwFrom, NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER
            && ReadAll(hFile, pData, cbRead))
        {
            pList->ParseText(pData, (int)cbRead, dwFrom == 0);
            bOk = TRUE;
        }
        if (pData)
            HeapFree(GetProcessHeap(), 0, pData);
    }
    CloseHandle(hFile);
    return bOk;
}
