#include "bench/path_fuzz.h"
#include "bench/day_states.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/main_harness.h"
#include "bench/timing.h"
#include "core/config_document.h"
#include "main/settings_store.h"
#include "platform/xmldom/xmldom_seams.h"
#include <cstdio>

const char *const PATH_COUNT_NAMES[PATH_COUNT_KINDS] = {
    "originals_lost", "others_lost", "saves_failed", "values_wrong", "disagreements", "kept", "dated",
    "startup_messages",
};

namespace {

// Stands for both values in a document compared with another: what is left is what a save of
// the settings must not touch.
const wchar_t VALUE_PLACEHOLDER[] = L"#";

// The settings file as the programs read it, both values set to the placeholder as the
// settings save sets them (the first child of that name, else a new one at CONFIG's end),
// then every node written out. Empty when it does not load or has no CONFIG.
std::wstring BlindedDocument(const std::wstring &strPath)
{
    ConfigDocument config;
    IXMLDOMNode *pRoot = NULL;
    if (config.InitXMLDOMDocument() != S_OK || config.LoadXMLFile(strPath.c_str()) != S_OK
        || config.SelectNode(CONFIG_ROOT, &pRoot) != S_OK || !pRoot)
        return L"";
    for (const wchar_t *pszName : { CONFIG_START_TIME, CONFIG_CALC_METHOD })
    {
        IXMLDOMNode *pChild = NULL;
        config.FindChildNode(pRoot, pszName, &pChild);
        if (pChild)
        {
            config.SetNodeText(pChild, VALUE_PLACEHOLDER);
            pChild->Release();
        }
        else
            config.AppendChildElement(pRoot, pszName, VALUE_PLACEHOLDER, NULL);
    }
    // The stand-in writes its own tree out; it is loaded by now, the document being one of its.
    XMLDOM_DESCRIBE_TREE pfnDescribe = (XMLDOM_DESCRIBE_TREE)(void *)GetProcAddress(
        GetModuleHandleW(L"xmldom.dll"), XMLDOM_DESCRIBE_TREE_EXPORT);
    BSTR bstr = NULL;
    std::wstring str;
    if (pfnDescribe && pfnDescribe(pRoot, &bstr) == S_OK)
        str.assign(bstr, SysStringLen(bstr));
    SysFreeString(bstr);
    pRoot->Release();
    return str;
}

bool HoldsValues(const std::wstring &strPath, const wchar_t *pszTime, const wchar_t *pszMethod)
{
    ConfigDocument config;
    WCHAR *pszStoredTime = NULL;
    WCHAR *pszStoredMethod = NULL;
    bool bRight = config.InitXMLDOMDocument() == S_OK && config.LoadXMLFile(strPath.c_str()) == S_OK
        && config.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszStoredTime) == S_OK && pszStoredTime
        && config.GetChildText(CONFIG_ROOT, CONFIG_CALC_METHOD, &pszStoredMethod) == S_OK && pszStoredMethod
        && wcscmp(pszStoredTime, pszTime) == 0 && wcscmp(pszStoredMethod, pszMethod) == 0;
    config.FreeText(pszStoredTime);
    config.FreeText(pszStoredMethod);
    return bRight;
}

}  // namespace

double RunPathCase(MainHarness *pMain, int nIndex, const std::string &strItemState, LONG *pnCounts)
{
    const std::wstring &strConfig = pMain->ConfigPath();
    std::wstring strCopy = strConfig + CONFIG_BACKUP_SUFFIX;
    // A copy found after start-up is this case's.
    SetFileAttributesW(strCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(strCopy.c_str());
    std::string strOriginal = FuzzCase(FUZZ_SEED, nIndex);
    WriteWholeFile(strConfig, strOriginal);

    int nMessages = pMain->StartUpMessages();
    pMain->StartUp();
    pnCounts[PATH_STARTUP_MESSAGES] += pMain->StartUpMessages() - nMessages;
    std::string strNow, strCopied;
    bool bKept = ReadWholeFile(strConfig, &strNow) && strNow == strOriginal;
    bool bCopied = ReadWholeFile(strCopy, &strCopied) && strCopied == strOriginal;
    pnCounts[PATH_KEPT] += bKept;
    pnCounts[PATH_ORIGINAL_LOST] += !bKept && !bCopied;

    double dStart = NowMicroseconds();
    pMain->Rebuild();
    double dUs = NowMicroseconds() - dStart;
    std::string strMainState = DayStateOfMainStatus(pMain->StatusText());
    pnCounts[PATH_DISAGREEMENT] += strMainState != strItemState;
    pnCounts[PATH_DATED] += strMainState != "prompt";

    // A date and method of the settings dialog that change with the case.
    int nYear = 2008 + nIndex % 4, nMonth = 1 + nIndex / 4 % 12, nDay = 1 + nIndex / 48 % 28;
    bool b365 = nIndex / 2 % 2 != 0;
    wchar_t szTime[32];
    _snwprintf(szTime, ARRAYSIZE(szTime), L"%d-%d-%d", nYear, nMonth, nDay);
    szTime[ARRAYSIZE(szTime) - 1] = 0;
    std::wstring strBefore = bKept ? BlindedDocument(strConfig) : L"";
    if (pMain->Save(nYear, nMonth, nDay, b365) != SAVE_SETTINGS_OK)
        pnCounts[PATH_SAVE_FAILED]++;
    else
    {
        pnCounts[PATH_VALUES_WRONG] += !HoldsValues(strConfig, szTime, b365 ? CALC_METHOD_365 : CALC_METHOD_280);
        pnCounts[PATH_OTHERS_LOST] += bKept && BlindedDocument(strConfig) != strBefore;
    }
    pMain->DrainMessages();
    return dUs;
}
