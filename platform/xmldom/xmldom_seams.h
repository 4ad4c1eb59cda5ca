#pragma once
#include <windows.h>

// What the tests reach inside the stand-in, through an export of xmldom.dll that only they
// look up (by GetProcAddress: they do not link the stand-in): the count of nodes and lists
// alive, so a test can see that every one was released.
typedef LONG (WINAPI *XMLDOM_LIVE_OBJECTS)(void);
#define XMLDOM_LIVE_OBJECTS_EXPORT "XmlDomLiveObjects"
