#include "bench/path_fuzz.h"
#include "bench/bench_support.h"
#include "bench/main_harness.h"
#include "core/config_document.h"
#include "main/settings_store.h"
#include "platform/xmldom/dom_core.h"
#include <cstdio>

const char *const PATH_COUNT_NAMES[PATH_COUNT_KINDS] = {
    "originals_lost", "others_lost", "saves_failed", "values_wrong", "disagreements", "kept", "dated",
    "startup_messages",
};

namespace {

// Stands for both values in a document compared with another: what is left is what a save of
// the settings must not touch.
const wchar_t VALUE_PLACEHOLDER[] = L"#";

// Each field with its length first, so that no two trees give one text.
void PutField(const wchar_t *psz, std::wstring *pstr)
{
    std::wstring strValue = psz ? psz : L"";
    *pstr += std::to_wstring(strValue.size()) + L":" + strValue;
}

// The XML declaration's quotes are the writer's to choose, not something the user stored.
std::wstring DeclarationAsWritten(const wchar_t *pszData)
{
    std::wstring str = pszData ? pszData : L"";
    for (wchar_t &ch : str)
        if (ch == L'\'')
            ch = L'"';
    return str;
}

void PutNodeHead(int nType, const wchar_t *pszName, const wchar_t *pszValue, std::wstring *pstr)
{
    *pstr += L"(" + std::to_wstring(nType);
    PutField(pszName, pstr);
    PutField(pszValue, pstr);
}

// Every node: its kind, name, value, attributes in order and children in order. Texts side by
// side are one text once written, so they are put as one.
void DumpNode(const DomCore *pNode, std::wstring *pstr)
{
    bool bDeclaration = pNode->m_nType == NODE_PROCESSING_INSTRUCTION && pNode->m_pszName
                     && wcscmp(pNode->m_pszName, L"xml") == 0;
    PutNodeHead(pNode->m_nType, pNode->m_pszName,
                bDeclaration ? DeclarationAsWritten(pNode->m_pszValue).c_str() : pNode->m_pszValue, pstr);
    for (const XmlDomAttr *pAttr = pNode->m_pFirstAttr; pAttr; pAttr = pAttr->pNext)
    {
        *pstr += L"@";
        PutField(pAttr->pszName, pstr);
        PutField(pAttr->pszValue, pstr);
    }
    for (const DomCore *pChild = pNode->m_pFirst; pChild; pChild = pChild->m_pNext)
    {
        if (pChild->m_nType != NODE_TEXT)
        {
            DumpNode(pChild, pstr);
            continue;
        }
        std::wstring strText;
        for (; pChild->m_pNext && pChild->m_pNext->m_nType == NODE_TEXT; pChild = pChild->m_pNext)
            strText += pChild->m_pszValue ? pChild->m_pszValue : L"";
        strText += pChild->m_pszValue ? pChild->m_pszValue : L"";
        PutNodeHead(NODE_TEXT, NULL, strText.c_str(), pstr);
        *pstr += L")";
    }
    *pstr += L")";
}

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
    const DomCore *pTop = DomCore::Of(pRoot);
    while (pTop && pTop->m_pParent)
        pTop = pTop->m_pParent;
    std::wstring str;
    if (pTop)
        DumpNode(pTop, &str);
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
