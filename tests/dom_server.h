#pragma once
#include <windows.h>
#include "platform/xmldom/xmldom_seams.h"

// The XML DOM server of this prefix as the tests reach it: only through the component runtime
// and the server's own test-only exports, never by linking it.

// The module that made a CLSID_DOMDocument object here, kept loaded for the rest of the
// process so that its counter and any patched imports stay valid; null when no document can
// be made. The component runtime must be initialised on the calling thread.
HMODULE DomServerModule();

// The server's nodes and lists alive, or -1 when there is no server.
LONG DomLiveObjects();
