#pragma once
#include <windows.h>
#include <stdio.h>

// Who logs.
#define LOG_SRC_RESOURCE 0
#define LOG_SRC_TODAY    1
#define LOG_SRC_MAIN     2

#define LOG_DEBUG 1
#define LOG_INFO  2
#define LOG_ERROR 3

#define LOG_LINE_CCH   512
#define LOG_MAX_BYTES  1048576

// Where log lines go. The shipped modules never install one, so DebugLog stays dormant;
// a sink is for diagnosis builds and tests.
class LogSink
{
public:
    LogSink();
    ~LogSink();

    BOOL Open(const WCHAR *pszLogPath);
    void Close();

    FILE *m_pFile;
    WCHAR m_szLogPath[MAX_PATH];
    HANDLE m_hMutex;
};

extern LogSink *g_pLogSink;

void DebugLog(int nSource, int nLevel, const WCHAR *pszFormat, ...);
