#pragma once
#include <windows.h>

// What the tests reach inside the stand-in: the count of nodes and lists alive, and the
// function that writes a saved document's bytes, so a full card can be made to happen.
typedef BOOL (WINAPI *XMLDOM_WRITE_FILE)(HANDLE hFile, LPCVOID pBuffer, DWORD cbToWrite,
                                         LPDWORD pcbWritten, LPOVERLAPPED pOverlapped);

extern LONG g_nXmlDomLiveObjects;
extern XMLDOM_WRITE_FILE g_pfnXmlDomWriteFile;
