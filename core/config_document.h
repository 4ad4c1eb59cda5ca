#pragma once
#include <windows.h>
#include <ole2.h>
#include <msxml.h>
#include "core/shared_names.h"

// The declaration every configuration file carries: its values are stored as GB2312.
#define CONFIG_DECL_TARGET  L"xml"
#define CONFIG_DECL_DATA    L"version='1.0' encoding='GB2312'"

// A settings file is a few hundred bytes; anything beyond this is not read at all.
#define CONFIG_MAX_BYTES    65536

// Beside config.xml: the one spare file a save writes before it takes config.xml's place, and
// the copy kept of a file the main program found unusable before it started a new one.
#define CONFIG_TEMP_SUFFIX   L".tmp"
#define CONFIG_BACKUP_SUFFIX L".bak"

// How long a save waits for a reader of the other module to let go of the file, and a load for
// a save of the other module to finish putting its file in place.
#define REPLACE_TRIES    200
#define REPLACE_PAUSE_MS 1
#define LOAD_RETRIES_UNHELD 1

// Puts a written file in another's place in one step; the tests make it fail.
typedef BOOL (*PFN_REPLACEFILE)(LPCWSTR pszFrom, LPCWSTR pszTo);
BOOL ReplaceConfigFile(LPCWSTR pszFrom, LPCWSTR pszTo);
extern PFN_REPLACEFILE g_pfnReplaceConfigFile;

// config.xml through the platform's XML DOM. Every use opens the document, works on it and
// releases it again, so each read sees the file as the other module last left it.
// Results: the status of the last DOM call (S_OK, S_FALSE, negative), or S_FALSE when an
// argument, the open document or the file is missing.
class ConfigDocument
{
public:
    ConfigDocument();
    ~ConfigDocument();

    // Documents from a class object held between uses, rather than looked up in the class's
    // registration at each InitXMLDOMDocument. Nothing held (none could be had): each
    // InitXMLDOMDocument asks the component runtime as it would without.
    HRESULT HoldClassObject();
    void ReleaseClassObject();

    HRESULT InitXMLDOMDocument();
    HRESULT LoadXMLFile(const WCHAR *pszPath);
    HRESULT CreateXMLFile(const WCHAR *pszPath);
    HRESULT SaveXMLFile();
    HRESULT SelectNode(const WCHAR *pszXPath, IXMLDOMNode **ppNode);
    HRESULT FindChildNode(IXMLDOMNode *pParent, const WCHAR *pszChildName, IXMLDOMNode **ppChild);
    HRESULT GetChildText(const WCHAR *pszParentXPath, const WCHAR *pszChildName, WCHAR **ppszText);
    HRESULT SetNodeText(IXMLDOMNode *pNode, const WCHAR *pszText);
    HRESULT AppendElement(const WCHAR *pszName, const WCHAR *pszText, IXMLDOMNode **ppNode);
    HRESULT AppendChildElement(IXMLDOMNode *pParent, const WCHAR *pszName, const WCHAR *pszText,
                               IXMLDOMNode **ppNode);
    void FreeText(WCHAR *pszText);
    void ReleaseXMLDOMDocument();

    // The file last loaded or created; saves go there.
    const WCHAR *GetPath() const { return m_szPath; }

private:
    HRESULT AppendElementTo(IXMLDOMNode *pParent, const WCHAR *pszName, const WCHAR *pszText,
                            IXMLDOMNode **ppNode);

    WCHAR m_szPath[MAX_PATH];
    IXMLDOMDocument *m_pXMLDoc;
    IClassFactory *m_pClassObject;
};

// The full path of a file beside the module: its directory, then pszFileName, into a buffer of
// MAX_PATH characters. 1 on success; 0, with the buffer empty, when an argument is missing or
// the path cannot be had.
BOOL GetModuleDirFilePath(HMODULE hModule, const WCHAR *pszFileName, WCHAR *pszPath);

// A path as the component takes it: a string variant, its string the caller's to free.
BOOL MakePathVariant(const WCHAR *pszPath, VARIANT *pVar);

// Removes the spare file a save at pszPath left behind when it was cut short.
void RemoveConfigSpare(const WCHAR *pszPath);

// Copies the file at pszPath to the same path with ".bak" appended, replacing an older copy.
BOOL KeepConfigCopy(const WCHAR *pszPath);

// Makes pConfig's open, empty document a new configuration (the declaration and an empty
// CONFIG) and saves it at pszPath, replacing whatever lay there. Stops at the first result
// other than S_OK and returns it.
HRESULT CreateNewConfigFile(ConfigDocument *pConfig, const WCHAR *pszPath);
