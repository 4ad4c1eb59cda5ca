#include "core/debug_log.h"
#include <stdarg.h>
#include <strsafe.h>

LogSink *g_pLogSink = NULL;

static const WCHAR LOG_OPEN_MODE[] = L"a+b";
static const WCHAR LOG_LINE_FORMAT[] = L"[%d] [%s] [%s] %s \r\n";
static const WCHAR LOG_TIME_FORMAT[] = L"%04d.%02d.%02d %02d:%02d:%02d";
static const WCHAR *const s_aLevelNames[] = { L"", L"DEBUG", L"INFO", L"ERROR" };

LogSink::LogSink()
    : m_pFile(NULL), m_hMutex(NULL)
{
    m_szLogPath[0] = 0;
}

LogSink::~LogSink()
{
    Close();
}

BOOL LogSink::Open(const WCHAR *pszLogPath)
{
    Close();
    if (!pszLogPath || FAILED(StringCchCopyW(m_szLogPath, ARRAYSIZE(m_szLogPath), pszLogPath)))
        return FALSE;
    m_hMutex = CreateMutexW(NULL, FALSE, NULL);
    m_pFile = _wfopen(m_szLogPath, LOG_OPEN_MODE);
    return m_pFile != NULL && m_hMutex != NULL;
}

void LogSink::Close()
{
    if (m_pFile)
        fclose(m_pFile);
    m_pFile = NULL;
    if (m_hMutex)
        CloseHandle(m_hMutex);
    m_hMutex = NULL;
}

// Past the limit the log starts again empty, taking the line just written with it.
static void RollOverIfFull(LogSink *pSink)
{
    if (fseek(pSink->m_pFile, 0, SEEK_END) != 0)
        return;
    long nSize = ftell(pSink->m_pFile);
    if (nSize <= LOG_MAX_BYTES)
        return;
    fclose(pSink->m_pFile);
    DeleteFileW(pSink->m_szLogPath);
    pSink->m_pFile = _wfopen(pSink->m_szLogPath, LOG_OPEN_MODE);
}

void DebugLog(int nSource, int nLevel, const WCHAR *pszFormat, ...)
{
    LogSink *pSink = g_pLogSink;
    if (!pSink || !pSink->m_pFile || !pszFormat)
        return;

    HANDLE hHeap = GetProcessHeap();
    WCHAR *pszTemplate = (WCHAR *)HeapAlloc(hHeap, HEAP_ZERO_MEMORY, LOG_LINE_CCH * sizeof(WCHAR));
    WCHAR *pszLine = (WCHAR *)HeapAlloc(hHeap, HEAP_ZERO_MEMORY, LOG_LINE_CCH * sizeof(WCHAR));
    if (!pszTemplate || !pszLine)
    {
        if (pszTemplate)
            HeapFree(hHeap, 0, pszTemplate);
        if (pszLine)
            HeapFree(hHeap, 0, pszLine);
        return;
    }
    WCHAR szTime[32] = { 0 };

    WaitForSingleObject(pSink->m_hMutex, INFINITE);

    SYSTEMTIME st;
    GetLocalTime(&st);
    StringCchPrintfW(szTime, ARRAYSIZE(szTime), LOG_TIME_FORMAT,
                     st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);

    const WCHAR *pszLevel = (nLevel >= LOG_DEBUG && nLevel <= LOG_ERROR) ? s_aLevelNames[nLevel] : s_aLevelNames[0];
    // The caller's format goes into the line unexpanded; its arguments fill it in the second pass.
    StringCchPrintfW(pszTemplate, LOG_LINE_CCH, LOG_LINE_FORMAT, nSource, pszLevel, szTime, pszFormat);

    va_list args;
    va_start(args, pszFormat);
    StringCchVPrintfW(pszLine, LOG_LINE_CCH, pszTemplate, args);
    va_end(args);

    if (pSink->m_pFile)
    {
        fwrite(pszLine, sizeof(WCHAR), wcslen(pszLine), pSink->m_pFile);
        fflush(pSink->m_pFile);
        RollOverIfFull(pSink);
    }

    ReleaseMutex(pSink->m_hMutex);
    HeapFree(hHeap, 0, pszTemplate);
    HeapFree(hHeap, 0, pszLine);
}
