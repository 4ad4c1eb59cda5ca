// What regsvr32 writes and removes: the class under its id with this file as its in-process
// server, usable from any apartment (a document keeps no tie to the thread that made it), and
// the component's program ids, as the platform's own XML DOM registers itself.
#include "platform/xmldom/dom_core.h"
#include <olectl.h>
#include <strsafe.h>

#define PROGID    L"Microsoft.XMLDOM.1.0"
#define VI_PROGID L"Microsoft.XMLDOM"
#define CLSID_CCH 39
#define KEY_CCH   128

// The file this code was loaded from.
extern "C" IMAGE_DOS_HEADER __ImageBase;

enum RegData { DATA_TEXT, DATA_CLSID, DATA_MODULE_PATH };

// %s in a key stands for the class id in braces.
struct RegEntry
{
    const WCHAR *pszKey;
    const WCHAR *pszName;
    RegData nData;
    const WCHAR *pszText;
};

static const RegEntry s_aEntries[] = {
    { L"CLSID\\%s", NULL, DATA_TEXT, L"XML DOM Document" },
    { L"CLSID\\%s\\InprocServer32", NULL, DATA_MODULE_PATH, NULL },
    { L"CLSID\\%s\\InprocServer32", L"ThreadingModel", DATA_TEXT, L"Both" },
    { L"CLSID\\%s\\ProgID", NULL, DATA_TEXT, PROGID },
    { L"CLSID\\%s\\VersionIndependentProgID", NULL, DATA_TEXT, VI_PROGID },
    { PROGID L"\\CLSID", NULL, DATA_CLSID, NULL },
    { VI_PROGID L"\\CLSID", NULL, DATA_CLSID, NULL },
};

// The keys whose whole trees unregistering removes.
static const WCHAR *const s_apszTrees[] = { L"CLSID\\%s", PROGID, VI_PROGID };

static HRESULT SetEntry(const RegEntry &entry, const WCHAR *pszClsid, const WCHAR *pszModule)
{
    WCHAR szKey[KEY_CCH];
    StringCchPrintfW(szKey, ARRAYSIZE(szKey), entry.pszKey, pszClsid);
    const WCHAR *pszData = entry.nData == DATA_CLSID ? pszClsid :
                           entry.nData == DATA_MODULE_PATH ? pszModule : entry.pszText;
    HKEY hKey = NULL;
    LONG nError = RegCreateKeyExW(HKEY_CLASSES_ROOT, szKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL);
    if (nError == ERROR_SUCCESS)
    {
        nError = RegSetValueExW(hKey, entry.pszName, 0, REG_SZ, (const BYTE *)pszData,
                                (DWORD)((lstrlenW(pszData) + 1) * sizeof(WCHAR)));
        RegCloseKey(hKey);
    }
    return nError == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllRegisterServer(void)
{
    WCHAR szClsid[CLSID_CCH];
    WCHAR szModule[MAX_PATH];
    DWORD cchModule = GetModuleFileNameW((HMODULE)&__ImageBase, szModule, ARRAYSIZE(szModule));
    if (!StringFromGUID2(CLSID_DOMDocument, szClsid, ARRAYSIZE(szClsid)) || cchModule == 0 ||
        cchModule >= ARRAYSIZE(szModule))
        return SELFREG_E_CLASS;
    HRESULT hr = S_OK;
    for (size_t i = 0; i < ARRAYSIZE(s_aEntries) && SUCCEEDED(hr); i++)
        hr = SetEntry(s_aEntries[i], szClsid, szModule);
    return hr;
}

// A key with everything below it; the keys written here are two levels deep at the most.
static LONG DeleteKeyTree(HKEY hParent, const WCHAR *pszKey)
{
    HKEY hKey;
    LONG nError = RegOpenKeyExW(hParent, pszKey, 0, KEY_ALL_ACCESS, &hKey);
    if (nError != ERROR_SUCCESS)
        return nError;
    WCHAR szChild[KEY_CCH];
    DWORD cchChild = ARRAYSIZE(szChild);
    while (RegEnumKeyExW(hKey, 0, szChild, &cchChild, NULL, NULL, NULL, NULL) == ERROR_SUCCESS
           && DeleteKeyTree(hKey, szChild) == ERROR_SUCCESS)
        cchChild = ARRAYSIZE(szChild);
    RegCloseKey(hKey);
    return RegDeleteKeyW(hParent, pszKey);
}

STDAPI DllUnregisterServer(void)
{
    WCHAR szClsid[CLSID_CCH];
    if (!StringFromGUID2(CLSID_DOMDocument, szClsid, ARRAYSIZE(szClsid)))
        return SELFREG_E_CLASS;
    HRESULT hr = S_OK;
    for (const WCHAR *pszTree : s_apszTrees)
    {
        WCHAR szKey[KEY_CCH];
        StringCchPrintfW(szKey, ARRAYSIZE(szKey), pszTree, szClsid);
        LONG nError = DeleteKeyTree(HKEY_CLASSES_ROOT, szKey);
        if (nError != ERROR_SUCCESS && nError != ERROR_FILE_NOT_FOUND)
            hr = SELFREG_E_CLASS;
    }
    return hr;
}
