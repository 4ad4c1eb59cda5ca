#pragma once
#include <windows.h>
#include <ole2.h>

// What the tests reach inside the stand-in, through exports of xmldom.dll that only they look
// up (by GetProcAddress: they do not link the stand-in): the count of nodes and lists alive, so a
// test can see that every one was released.
typedef LONG (WINAPI *XMLDOM_LIVE_OBJECTS)(void);
#define XMLDOM_LIVE_OBJECTS_EXPORT "XmlDomLiveObjects"
// The same for the server's class object: references to it and locks of the server not undone.
typedef LONG (WINAPI *XMLDOM_SERVER_LOCKS)(void);
#define XMLDOM_SERVER_LOCKS_EXPORT "XmlDomServerLocks"

// For the bench: the whole tree a node of ours belongs to, written out node by node (kind,
// name, value, attributes, children), to compare a document before and after a save.
typedef HRESULT (WINAPI *XMLDOM_DESCRIBE_TREE)(IUnknown *pNode, BSTR *pbstr);
#define XMLDOM_DESCRIBE_TREE_EXPORT "XmlDomDescribeTree"
