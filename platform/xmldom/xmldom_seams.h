#pragma once
#include <windows.h>

// What the tests reach inside the stand-in, through exports of xmldom.dll that only they look
// up (by GetProcAddress: they do not link the stand-in): the count of nodes and lists alive,
// and the function that writes a saved document's bytes, so a full card can be made to happen.
typedef LONG (WINAPI *XMLDOM_LIVE_OBJECTS)(void);
#define XMLDOM_LIVE_OBJECTS_EXPORT "XmlDomLiveObjects"

typedef BOOL (WINAPI *XMLDOM_WRITE_FILE)(HANDLE hFile, LPCVOID pBuffer, DWORD cbToWrite,
                                         LPDWORD pcbWritten, LPOVERLAPPED pOverlapped);
typedef void (WINAPI *XMLDOM_SET_WRITE_FILE)(XMLDOM_WRITE_FILE pfnWriteFile);
#define XMLDOM_SET_WRITE_FILE_EXPORT "XmlDomSetWriteFile"
