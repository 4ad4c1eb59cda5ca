// GetProcessHandleCount and the extended memory counters need a newer header level than the
// deliverables are built for.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "bench/bench_support.h"
#include <psapi.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

const char *const TOKENS[] = {
    "<", ">", "/>", "</", "</CONFIG>", "<CONFIG>", "<StartTime>", "</StartTime>", "<CalcMethod>",
    "</CalcMethod>", "&", "&amp;", "&#", "&#x", ";", "<!--", "-->", "<?xml ", "?>", "<![CDATA[", "]]>",
    "'", "\"", "=", " encoding='GBK'", "\xEF\xBB\xBF", "\xFF\xFE", "\xD6\xD0", "\x01", "\r\n",
    "<!DOCTYPE [", "]",
};

// Pieces a user or a broken card might leave in a date or a method.
const char VALUE_CHARS[] = "0123456789-/.: +\t";

size_t FindValue(const std::string &str, BenchRandom *pRandom, size_t *pcch)
{
    static const char *const OPEN[] = { "<StartTime>", "<CalcMethod>" };
    const char *pszOpen = OPEN[pRandom->Below(2)];
    size_t nAt = str.find(pszOpen);
    if (nAt == std::string::npos)
        return std::string::npos;
    nAt += strlen(pszOpen);
    size_t nEnd = str.find('<', nAt);
    *pcch = (nEnd == std::string::npos ? str.size() : nEnd) - nAt;
    return nAt;
}

void MutateOnce(std::string *pstr, BenchRandom *pRandom)
{
    std::string &str = *pstr;
    size_t nAt = pRandom->Below(str.size() + 1);
    switch (pRandom->Below(9))
    {
    case 0:     // bit flips
    {
        int nFlips = 1 + (int)pRandom->Below(4);
        for (int i = 0; i < nFlips && !str.empty(); i++)
            str[pRandom->Below(str.size())] ^= (char)(1 << pRandom->Below(8));
        break;
    }
    case 1:     // truncation, as a pulled battery leaves a file
        str.resize(nAt);
        break;
    case 2:     // a span duplicated
    {
        size_t nFrom = pRandom->Below(str.size() + 1);
        str.insert(nAt, str.substr(nFrom, pRandom->Below(32)));
        break;
    }
    case 3:     // two spans swapped
    {
        if (str.size() < 4)
            break;
        size_t cch = 1 + pRandom->Below(std::min<size_t>(16, str.size() / 2));
        size_t nA = pRandom->Below(str.size() - cch + 1);
        size_t nB = pRandom->Below(str.size() - cch + 1);
        std::string strA = str.substr(nA, cch), strB = str.substr(nB, cch);
        if (nA + cch <= nB || nB + cch <= nA)
        {
            str.replace(nA, cch, strB);
            str.replace(nB, cch, strA);
        }
        break;
    }
    case 4:     // a long run of one byte
    {
        static const char RUN[] = { 'a', '9', '<', '&', '-', ' ', '\xD6', '\0' };
        size_t cch = 64 + pRandom->Below(8192);
        str.insert(nAt, cch, RUN[pRandom->Below(sizeof(RUN))]);
        break;
    }
    case 5:     // random digits and separators in a value
    case 6:
    {
        size_t cchValue = 0;
        size_t nValue = FindValue(str, pRandom, &cchValue);
        if (nValue == std::string::npos)
            break;
        std::string strNew;
        size_t cchNew = pRandom->Below(24);
        for (size_t i = 0; i < cchNew; i++)
            strNew += VALUE_CHARS[pRandom->Below(sizeof(VALUE_CHARS) - 1)];
        if (pRandom->Below(4) == 0)
            strNew = std::to_string((int)pRandom->Next()) + "-" + std::to_string((int)pRandom->Next() % 40)
                   + "-" + std::to_string((int)pRandom->Next() % 40);
        str.replace(nValue, cchValue, strNew);
        break;
    }
    case 7:     // a markup token
        str.insert(nAt, TOKENS[pRandom->Below(ARRAYSIZE(TOKENS))]);
        break;
    default:    // a span removed
        str.erase(nAt, pRandom->Below(12));
        break;
    }
}

}  // namespace

std::string ConfigFile(const char *pszStart, const char *pszMethod, const char *pszEncoding)
{
    std::string str = std::string("<?xml version=\"1.0\" encoding=\"") + pszEncoding + "\"?>\r\n<CONFIG>";
    if (pszStart)
        str += std::string("<StartTime>") + pszStart + "</StartTime>";
    if (pszMethod)
        str += std::string("<CalcMethod>") + pszMethod + "</CalcMethod>";
    return str + "</CONFIG>\r\n";
}

const std::vector<std::string> &FuzzSeeds()
{
    static const std::vector<std::string> seeds = {
        ConfigFile("2009-7-5", "2"),
        ConfigFile("2010-1-1", "1"),
        ConfigFile("2009-12-31", NULL),
        ConfigFile(NULL, NULL),
        "<?xml version='1.0' encoding='GB2312'?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n<CONFIG>\r\n\t<StartTime>2009-7-5"
        "</StartTime>\r\n\t<CalcMethod>1</CalcMethod>\r\n</CONFIG>\r\n",
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<CONFIG><StartTime>2011-2-28</StartTime>"
        "<CalcMethod>2</CalcMethod></CONFIG>\r\n",
        // Edited by hand: more than the two values, all of which a save must keep.
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<!-- \xC9\xE8\xD6\xC3 -->\r\n<CONFIG version=\"1\" owner='\xD5\xC5'>"
        "\r\n\t<LastStartTime>2008-3-1</LastStartTime>\r\n\t<StartTime at=\"x\">2009-11-20</StartTime>\r\n\t<!-- 280 -->"
        "\r\n\t<CalcMethod>2</CalcMethod>\r\n\t<Note lang=\"zh\">a &amp; b<![CDATA[<i>]]>&#x4E2D;</Note>\r\n</CONFIG>\r\n",
    };
    return seeds;
}

std::string FuzzCase(unsigned int nSeed, int nIndex)
{
    BenchRandom random(nSeed ^ ((unsigned int)nIndex * 2654435761u));
    random.Next();
    const std::vector<std::string> &seeds = FuzzSeeds();
    std::string str = seeds[random.Below(seeds.size())];
    int nEdits = 1 + (int)random.Below(4);
    for (int i = 0; i < nEdits; i++)
        MutateOnce(&str, &random);
    return str;
}

namespace {

// One entry of the GDI handle table as the PEB shows it (Windows and Wine alike, 24 bytes).
#pragma pack(push, 1)
struct GdiHandleEntry
{
    ULONGLONG nObject;
    USHORT nProcessId;
    USHORT nLockCount;
    USHORT nUnique;
    UCHAR nType;
    UCHAR nFlags;
    ULONGLONG nUserPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
const int GDI_HANDLE_ENTRIES = 0x10000;
// Where the TEB keeps the PEB, and the PEB the table: the 32-bit and the 64-bit layouts.
const bool IS_64BIT = sizeof(void *) == 8;
const size_t TEB_PEB_OFFSET = IS_64BIT ? 0x60 : 0x30;
const size_t PEB_GDI_TABLE_OFFSET = IS_64BIT ? 0xF8 : 0x94;

const GdiHandleEntry *GdiTable()
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    BYTE *pPeb = *(BYTE **)((BYTE *)NtCurrentTeb() + TEB_PEB_OFFSET);
#pragma GCC diagnostic pop
    return pPeb ? *(const GdiHandleEntry *const *)(pPeb + PEB_GDI_TABLE_OFFSET) : NULL;
}

// Wine keeps a table per process and leaves the owner 0.
const int GDI_ANY_OWNER = -1;

// Entries owned by a given owner value; -1 without a table.
long CountGdiOwnedBy(int nOwner)
{
    const GdiHandleEntry *pTable = GdiTable();
    if (!pTable)
        return -1;
    long n = 0;
    for (int i = 0; i < GDI_HANDLE_ENTRIES; i++)
        if (pTable[i].nType && (nOwner == GDI_ANY_OWNER || pTable[i].nProcessId == nOwner))
            n++;
    return n;
}

// The owner value this process's objects carry: the one whose count grows by the brushes made.
bool FindGdiOwner(int *pnOwner)
{
    static int s_nKnown = -1;
    static int s_nOwner = 0;
    if (s_nKnown >= 0)
    {
        *pnOwner = s_nOwner;
        return s_nKnown == 1;
    }
    s_nKnown = 0;
    const int aCandidates[] = { (USHORT)GetCurrentProcessId(), (USHORT)(GetCurrentProcessId() >> 2), GDI_ANY_OWNER };
    for (int nOwner : aCandidates)
    {
        long nBefore = CountGdiOwnedBy(nOwner);
        HBRUSH ahBrushes[5];
        for (int i = 0; i < 5; i++)
            ahBrushes[i] = CreateSolidBrush(RGB(i, 1, 2));
        long nWith = CountGdiOwnedBy(nOwner);
        for (int i = 0; i < 5; i++)
            DeleteObject(ahBrushes[i]);
        long nAfter = CountGdiOwnedBy(nOwner);
        if (nBefore >= 0 && nWith == nBefore + 5 && nAfter == nBefore)
        {
            s_nKnown = 1;
            s_nOwner = nOwner;
            break;
        }
    }
    *pnOwner = s_nOwner;
    return s_nKnown == 1;
}

// USER handles are an index from 0x20 in steps of 2 in the low word; a handle with a zero high
// word stands for whichever object holds that index.
DWORD CountUserObjects()
{
    const DWORD FIRST_USER_HANDLE = 0x20, LAST_USER_HANDLE = 0xFFEF;
    DWORD dwOwn = GetCurrentProcessId(), n = 0;
    for (DWORD dw = FIRST_USER_HANDLE; dw <= LAST_USER_HANDLE; dw += 2)
    {
        DWORD dwProcess = 0;
        if (GetWindowThreadProcessId((HWND)(UINT_PTR)dw, &dwProcess) && dwProcess == dwOwn)
        {
            n++;
            continue;
        }
        ICONINFO ii;
        if (GetIconInfo((HICON)(UINT_PTR)dw, &ii))
        {
            if (ii.hbmMask)
                DeleteObject(ii.hbmMask);
            if (ii.hbmColor)
                DeleteObject(ii.hbmColor);
            n++;
        }
    }
    return n;
}

DWORD CountKernelHandles()
{
    DWORD n = 0;
    for (DWORD dw = 4; dw < 0x10000; dw += 4)
    {
        DWORD dwFlags = 0;
        if (GetHandleInformation((HANDLE)(UINT_PTR)dw, &dwFlags))
            n++;
    }
    return n;
}

}  // namespace

ProcessCounters ReadProcessCounters()
{
    ProcessCounters counters;
    ZeroMemory(&counters, sizeof(counters));
    HANDLE hProcess = GetCurrentProcess();
    counters.dwGdiObjects = GetGuiResources(hProcess, GR_GDIOBJECTS);
    counters.dwUserObjects = GetGuiResources(hProcess, GR_USEROBJECTS);
    GetProcessHandleCount(hProcess, &counters.dwHandles);
    PROCESS_MEMORY_COUNTERS_EX pmc;
    ZeroMemory(&pmc, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(hProcess, (PROCESS_MEMORY_COUNTERS *)&pmc, sizeof(pmc)))
        counters.cbPrivate = pmc.PrivateUsage;

    int nOwner = 0;
    if (counters.dwGdiObjects == 0 && FindGdiOwner(&nOwner))
    {
        counters.dwGdiObjects = (DWORD)CountGdiOwnedBy(nOwner);
        counters.bGdiCounted = true;
    }
    if (counters.dwUserObjects == 0)
    {
        counters.dwUserObjects = CountUserObjects();
        counters.bUserCounted = true;
    }
    if (counters.dwHandles == 0)
    {
        counters.dwHandles = CountKernelHandles();
        counters.bHandlesCounted = true;
    }

    HANDLE ahHeaps[64];
    DWORD nHeaps = GetProcessHeaps(ARRAYSIZE(ahHeaps), ahHeaps);
    for (DWORD i = 0; i < nHeaps && i < ARRAYSIZE(ahHeaps); i++)
    {
        if (!HeapLock(ahHeaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry;
        ZeroMemory(&entry, sizeof(entry));
        while (HeapWalk(ahHeaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                counters.cbHeapInUse += entry.cbData;
        HeapUnlock(ahHeaps[i]);
    }
    return counters;
}

double NowMicroseconds()
{
    static LARGE_INTEGER s_frequency = { { 0, 0 } };
    if (!s_frequency.QuadPart)
        QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1e6 / (double)s_frequency.QuadPart;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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

BenchShared *OpenShared(const std::wstring &strName, HANDLE *phMapping)
{
    *phMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(BenchShared),
                                    strName.c_str());
    if (!*phMapping)
        return NULL;
    return (BenchShared *)MapViewOfFile(*phMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(BenchShared));
}

std::wstring SharedNameOf(const wchar_t *pszPurpose)
{
    return std::wstring(pszPurpose) + L"-" + std::to_wstring(GetCurrentProcessId());
}

static LONG WINAPI ExitOnFault(EXCEPTION_POINTERS *pInfo)
{
    TerminateProcess(GetCurrentProcess(), pInfo->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

void InstallCrashExit()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ExitOnFault);
}

HANDLE StartProcess(const std::wstring &strCommandLine)
{
    std::vector<wchar_t> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back(0);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(NULL, commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

FuzzRun RunFuzzWatched(const std::wstring &strExe, const std::wstring &strMode, int nTotal, int nBatch,
                       DWORD dwHangMs)
{
    static_assert(ARRAYSIZE(((BenchShared *)0)->nCounts) == FUZZ_COUNTS, "a fuzz run's counts");
    FuzzRun run = { nTotal, 0, 0, {}, 0, -1, 0, 0, 0, {}, {} };
    for (int &nFirst : run.nFirstCases)
        nFirst = -1;
    std::wstring strName = SharedNameOf(L"UlvoBenchFuzz");
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(strName, &hMapping);
    if (!pShared)
    {
        run.nCrashes = -1;
        return run;
    }
    // A child's first case waits for Wine to start the process; later ones must each move on.
    const DWORD START_ALLOWANCE_MS = 60000;
    int nNext = 0;
    while (nNext < nTotal)
    {
        int nCount = std::min(nBatch, nTotal - nNext);
        ZeroMemory((void *)pShared, sizeof(*pShared));
        pShared->nCurrent = -1;
        pShared->nDone = nNext;
        pShared->nSlowestCase = -1;
        wchar_t szArgs[160];
        _snwprintf(szArgs, ARRAYSIZE(szArgs), L" %s %s %d %d", strMode.c_str(), strName.c_str(), nNext, nCount);
        szArgs[ARRAYSIZE(szArgs) - 1] = 0;
        HANDLE hChild = StartProcess(L"\"" + strExe + L"\"" + szArgs);
        run.nChildren++;
        if (!hChild)
        {
            run.nCrashes = -1;
            break;
        }
        LONG nLastSeen = -2;
        DWORD dwSince = GetTickCount();
        bool bHung = false;
        for (;;)
        {
            if (WaitForSingleObject(hChild, 20) == WAIT_OBJECT_0)
                break;
            LONG nNow = pShared->nCurrent;
            LONG nDone = pShared->nDone;
            LONG nMark = nNow * 2 + (nDone > nNow ? 1 : 0);
            if (nMark != nLastSeen)
            {
                nLastSeen = nMark;
                dwSince = GetTickCount();
                continue;
            }
            DWORD dwLimit = nNow < 0 ? START_ALLOWANCE_MS : dwHangMs;
            if (GetTickCount() - dwSince > dwLimit)
            {
                bHung = true;
                TerminateProcess(hChild, 0xDEAD);
                WaitForSingleObject(hChild, INFINITE);
                break;
            }
        }
        DWORD dwExit = 0;
        GetExitCodeProcess(hChild, &dwExit);
        CloseHandle(hChild);

        if (pShared->dSlowestOnceUs > run.dSlowestOnceUs)
            run.dSlowestOnceUs = pShared->dSlowestOnceUs;
        run.nCompleted += std::max(0, (int)pShared->nDone - nNext);
        for (int k = 0; k < FUZZ_COUNTS; k++)
        {
            run.nCounts[k] += pShared->nCounts[k];
            if (run.nFirstCases[k] < 0 && pShared->nFirstCases[k] > 0)
                run.nFirstCases[k] = pShared->nFirstCases[k] - 1;
        }
        if (pShared->nSlowestCase >= 0 && pShared->dSlowestUs > run.dSlowestUs)
        {
            run.dSlowestUs = pShared->dSlowestUs;
            run.nSlowestCase = pShared->nSlowestCase;
        }
        int nEnd = nNext + nCount;
        if (pShared->nDone >= nEnd && !bHung && dwExit == 0)
        {
            nNext = nEnd;
            continue;
        }
        // Ended early: the case it was on is the culprit, and the run resumes after it.
        int nCulprit = pShared->nCurrent >= nNext ? (int)pShared->nCurrent : nNext;
        if (bHung)
            run.nHangs++;
        else
            run.nCrashes++;
        run.failedCases.push_back(nCulprit);
        nNext = nCulprit + 1;
    }
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return run;
}

int RunFuzzBatch(const wchar_t *pszShared, int nFirst, int nCount, FUZZ_CASE pfnCase)
{
    InstallCrashExit();
    HANDLE hMapping = NULL;
    BenchShared *pShared = OpenShared(pszShared, &hMapping);
    if (!pShared)
        return 2;
    const size_t SLOW_CANDIDATES = 8;
    const int REPEATS = 21;
    std::vector<std::pair<double, int>> slowest;
    for (int i = nFirst; i < nFirst + nCount; i++)
    {
        pShared->nCurrent = i;
        double dUs = 0;
        LONG anCounts[FUZZ_COUNTS] = { 0 };
        pfnCase(i, &dUs, anCounts);
        for (int k = 0; k < FUZZ_COUNTS; k++)
        {
            pShared->nCounts[k] += anCounts[k];
            if (anCounts[k] && !pShared->nFirstCases[k])
                pShared->nFirstCases[k] = i + 1;
        }
        if (dUs > pShared->dSlowestOnceUs)
            pShared->dSlowestOnceUs = dUs;
        slowest.push_back(std::make_pair(dUs, i));
        if (slowest.size() > 4 * SLOW_CANDIDATES)
        {
            std::sort(slowest.rbegin(), slowest.rend());
            slowest.resize(SLOW_CANDIDATES);
        }
        pShared->nDone = i + 1;
    }
    std::sort(slowest.rbegin(), slowest.rend());
    if (slowest.size() > SLOW_CANDIDATES)
        slowest.resize(SLOW_CANDIDATES);
    for (const std::pair<double, int> &candidate : slowest)
    {
        std::vector<double> times;
        for (int r = 0; r < REPEATS; r++)
        {
            pShared->nCurrent = candidate.second;
            double dUs = 0;
            pfnCase(candidate.second, &dUs, NULL);
            times.push_back(dUs);
        }
        double dMedian = Median(times);
        if (dMedian > pShared->dSlowestUs)
        {
            pShared->dSlowestUs = dMedian;
            pShared->nSlowestCase = candidate.second;
        }
    }
    pShared->nCurrent = nFirst + nCount;
    UnmapViewOfFile((void *)pShared);
    CloseHandle(hMapping);
    return 0;
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

int PrintFuzzCaseTime(const char *pszName, FUZZ_CASE pfnCase, int nIndex, int nRepeats)
{
    std::vector<double> times;
    for (int i = 0; i < nRepeats; i++)
    {
        double dUs = 0;
        pfnCase(nIndex, &dUs, NULL);
        times.push_back(dUs);
    }
    printf("%s_case %d\n%s_case_bytes %u\n%s_case_median_us %.1f\n", pszName, nIndex, pszName,
           (unsigned)FuzzCase(FUZZ_SEED, nIndex).size(), pszName, Median(times));
    return 0;
}

int PrintFuzzRun(const char *pszName, int nTotal, int nBatch, const char *const *ppszCountNames, int nCountNames)
{
    wchar_t szExe[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    FuzzRun run = RunFuzzWatched(szExe, L"fuzz-batch", nTotal, nBatch, 5000);
    printf("%s_cases %d\n%s_crashes %d\n%s_hangs %d\n%s_slowest_us %.1f\n"
           "%s_slowest_case %d\n%s_slowest_once_us %.1f\n%s_children %d\n%s_completed %d\n",
           pszName, run.nCases, pszName, run.nCrashes, pszName, run.nHangs, pszName, run.dSlowestUs,
           pszName, run.nSlowestCase, pszName, run.dSlowestOnceUs, pszName, run.nChildren,
           pszName, run.nCompleted);
    for (int nCase : run.failedCases)
        printf("%s_failed_case %d\n", pszName, nCase);
    for (int k = 0; k < nCountNames && k < FUZZ_COUNTS; k++)
        printf("%s_%s %ld\n%s_%s_first_case %d\n", pszName, ppszCountNames[k], run.nCounts[k],
               pszName, ppszCountNames[k], run.nFirstCases[k]);
    return 0;
}

void FaultyFuzzCase(int nIndex, double *pdMicroseconds, LONG *)
{
    *pdMicroseconds = 0;
    // A page reserved but never given memory: a write there faults as a stray pointer does.
    if (nIndex == FUZZ_CRASH_CASE)
        *(volatile int *)VirtualAlloc(NULL, 1, MEM_RESERVE, PAGE_READWRITE) = nIndex;
    while (nIndex == FUZZ_HANG_CASE)
        Sleep(1000);
}

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
