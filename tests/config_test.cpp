// config.xml through ConfigDocument over the registered XML DOM server: which files load and what
// they read, the bytes a save leaves, saves that go wrong, and every DOM object and component
// string given back after each case.
#include <gtest/gtest.h>
#include <algorithm>
#include "bench/config_files.h"
#include "bench/fuzz_cases.h"
#include "core/config_document.h"
#include "platform/xmldom/xmldom_seams.h"
#include "tests/test_support.h"

namespace {

HMODULE s_hServer = NULL;
LONG s_nStrings = 0;

// The module that makes CLSID_DOMDocument objects here, kept loaded for the rest of the run so that
// its counter and patched imports stay valid; null when no document can be made.
HMODULE DomServer()
{
    IXMLDOMDocument *pDoc = NULL;
    if (!s_hServer && SUCCEEDED(CoCreateInstance(CLSID_DOMDocument, NULL, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                                 (void **)&pDoc)))
    {
        // The object's method table lies in its module; asking by address also keeps that loaded.
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, *(LPCWSTR *)pDoc, &s_hServer);
        pDoc->Release();
    }
    return s_hServer;
}

LONG DomLiveObjects()
{
    XMLDOM_LIVE_OBJECTS pfn = (XMLDOM_LIVE_OBJECTS)(void *)GetProcAddress(DomServer(), XMLDOM_LIVE_OBJECTS_EXPORT);
    return pfn ? pfn() : -1;
}

// Component strings are counted where they are made and freed, at the imports of this program and
// of the server (each frees strings the other made), so the system's string cache hides nothing.
template <class F> F Real(const char *pszName) { return (F)(void *)GetProcAddress(GetModuleHandleW(L"oleaut32.dll"), pszName); }
BSTR Counted(BSTR bstr) { s_nStrings += bstr != NULL; return bstr; }
BSTR WINAPI CountedAlloc(const OLECHAR *psz) { return Counted(Real<decltype(&SysAllocString)>("SysAllocString")(psz)); }
BSTR WINAPI CountedAllocLen(const OLECHAR *psz, UINT cch) { return Counted(Real<decltype(&SysAllocStringLen)>("SysAllocStringLen")(psz, cch)); }
void WINAPI CountedFree(BSTR bstr) { s_nStrings -= bstr != NULL; Real<decltype(&SysFreeString)>("SysFreeString")(bstr); }
bool CountStrings(HMODULE h)
{
    bool bAlloc = PatchImport(h, "oleaut32.dll", "SysAllocString", (void *)CountedAlloc) != NULL;
    bool bAllocLen = PatchImport(h, "oleaut32.dll", "SysAllocStringLen", (void *)CountedAllocLen) != NULL;
    return PatchImport(h, "oleaut32.dll", "SysFreeString", (void *)CountedFree) != NULL || bAlloc || bAllocLen;
}

// What a fresh document reads of CONFIG's children, "|" between them and "<none>" for one missing,
// after "not loaded: " when the file does not load.
std::wstring Read(const std::wstring &strPath, std::vector<const wchar_t *> children = { CONFIG_START_TIME, CONFIG_CALC_METHOD })
{
    ConfigDocument config;
    EXPECT_EQ(S_OK, config.InitXMLDOMDocument());
    HRESULT hr = config.LoadXMLFile(strPath.c_str());
    EXPECT_TRUE(hr == S_OK || (hr == S_FALSE && !config.GetPath()[0])) << std::hex << hr;
    std::wstring str = hr == S_OK ? L"" : L"not loaded: ";
    for (size_t i = 0; i < children.size(); i++)
    {
        WCHAR *pszText = NULL;
        config.GetChildText(CONFIG_ROOT, children[i], &pszText);
        str += (i ? L"|" : L"") + std::wstring(pszText ? pszText : L"<none>");
        config.FreeText(pszText);
    }
    return str;
}
const std::wstring NOT_LOADED = L"not loaded: <none>|<none>";

// Saves the file as loaded, or with one setting stored as the settings dialog stores it: the child
// updated in place, or appended. Without a file, a new one.
HRESULT Save(const std::wstring &strPath, const wchar_t *pszChild = NULL, const wchar_t *pszValue = NULL)
{
    ConfigDocument config;
    IXMLDOMNode *pRoot = NULL, *pChild = NULL;
    HRESULT hr = config.InitXMLDOMDocument();
    if (hr == S_OK && !FileExists(strPath))
        return CreateNewConfigFile(&config, strPath.c_str());
    hr = hr == S_OK ? config.LoadXMLFile(strPath.c_str()) : hr;
    if (hr == S_OK && pszChild && (hr = config.SelectNode(CONFIG_ROOT, &pRoot)) == S_OK)
    {
        config.FindChildNode(pRoot, pszChild, &pChild);
        hr = pChild ? config.SetNodeText(pChild, pszValue) : config.AppendChildElement(pRoot, pszChild, pszValue, &pChild);
        if (pChild)
            pChild->Release();
        pRoot->Release();
    }
    return hr == S_OK ? config.SaveXMLFile() : hr;
}

// UTF-16 with a byte-order mark, from ASCII text.
std::string Utf16(const std::string &strAscii, bool bBigEndian = false)
{
    std::string strBytes = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char ch : strAscii)
        strBytes += bBigEndian ? std::string{ '\0', ch } : std::string{ ch, '\0' };
    return strBytes;
}

std::string Repeat(const std::string &str, int n) { std::string strAll; while (n-- > 0) strAll += str; return strAll; }

#define BYTES(lit) std::string(lit, sizeof(lit) - 1)
const std::string GB = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
const std::string VALUES = "<CONFIG><StartTime>2009-7-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>";

// Each case begins with a fresh folder and the component runtime started, and ends with every
// DOM object and string given back (documents left open go with their objects).
struct ConfigTest : testing::Test
{
    void SetUp() override
    {
        ASSERT_EQ(S_OK, CoInitializeEx(NULL, COINIT_MULTITHREADED));
        ASSERT_TRUE(DomServer()) << "no XML DOM server registered";
        ASSERT_TRUE(CountStrings(GetModuleHandleW(NULL)) && CountStrings(DomServer()));
        m_nObjects = DomLiveObjects();
        m_nStrings = s_nStrings;
    }
    void TearDown() override
    {
        g_pfnReplaceConfigFile = ReplaceConfigFile;
        EXPECT_EQ(m_nObjects, DomLiveObjects()) << "DOM nodes or lists not released";
        EXPECT_EQ(m_nStrings, s_nStrings) << "component strings not freed";
        CoUninitialize();
    }

    // What the file reads; whatever loads is saved, and then reads the same. Every object and string
    // is given back each time.
    std::wstring ReadSavedAlike(const std::string &strBytes)
    {
        EXPECT_TRUE(WriteWholeFile(m_strPath, strBytes));
        std::wstring strRead = Read(m_strPath);
        EXPECT_EQ(strRead.compare(0, 12, L"not loaded: ") ? S_OK : S_FALSE, Save(m_strPath));
        EXPECT_EQ(strRead, Read(m_strPath)) << "once saved";
        EXPECT_TRUE(DomLiveObjects() == m_nObjects && s_nStrings == m_nStrings) << "objects or strings not given back";
        return strRead;
    }

    TempDir m_dir;
    const std::wstring m_strPath = m_dir.File(CONFIG_FILE_NAME);
    LONG m_nObjects = 0, m_nStrings = 0;
};

} // namespace

// Files as the device's component and people editing by hand leave them, and files that are not
// well formed, not in an encoding we read, or too large, which load not at all; whatever loads is
// saved and reads the same. Nothing crashes.
TEST_F(ConfigTest, FilesReadWhatTheyHoldAndSaveAsRead)
{
    const std::wstring &NO = NOT_LOADED, BOTH = L"2009-7-5|2";
    const std::string UTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const struct { std::string strBytes; std::wstring strRead; } FILES[] = {
        { ConfigFile("2009-7-5", "2"), BOTH }, { VALUES, BOTH }, { "<?xml version='1.0' encoding='GB2312'?>\n" + VALUES + "\n", BOTH },
        { GB + "<CONFIG>\r\n\t<StartTime>2009-7-5</StartTime>\r\n\t<CalcMethod>2</CalcMethod>\r\n</CONFIG>\r\n", BOTH },
        { "<?xml version=\"1.0\"?>\n<CONFIG>\n  <StartTime>2010-12-31</StartTime>\n  <CalcMethod>1</CalcMethod>\n</CONFIG>\n",
          L"2010-12-31|1" },
        { "\xEF\xBB\xBF" + UTF8 + "\r\n" + VALUES, BOTH }, { "\xEF\xBB\xBF" + VALUES, BOTH },
        { "<?xml version=\"1.0\" encoding=\"utf-8\"?><!-- \xE9\x85\x8D -->" + VALUES, BOTH },
        { GB + "<!-- \xD6\xD0\xCE\xC4 -->\r\n" + VALUES, BOTH }, { "<?xml version=\"1.0\" encoding=\"GBK\"?>" + VALUES, BOTH },
        { "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>" + VALUES, BOTH },
        { GB + "<!-- a -->\r\n<CONFIG><!-- b --><StartTime>2009-7-5</StartTime><!-- c --><CalcMethod>2</CalcMethod></CONFIG>\r\n"
          "<!-- d -->\r\n", BOTH },
        { GB + "<CONFIG/>\r\n", L"<none>|<none>" }, { GB + "<CONFIG></CONFIG>\r\n", L"<none>|<none>" },
        { "<CONFIG><StartTime></StartTime><CalcMethod/></CONFIG>", L"|" },
        { "<CONFIG><StartTime>2009-7-5</StartTime></CONFIG>", L"2009-7-5|<none>" },
        { "<CONFIG><CalcMethod>3</CalcMethod></CONFIG>", L"<none>|3" },   // a method of neither kind
        // Only the names exactly; another root element holds no settings.
        { "<CONFIG><!-- StartTime --><LastStartTime>1</LastStartTime><xStartTimey>2</xStartTimey>" + VALUES.substr(8), BOTH },
        { GB + "<SETTINGS><StartTime>2009-7-5</StartTime></SETTINGS>\r\n", L"<none>|<none>" },
        { "<CONFIG><StartTime> 2009-7-5\t</StartTime><CalcMethod>\r\n2\r\n</CalcMethod></CONFIG>", BOTH },
        { "<CONFIG><StartTime>2009&#45;7&#x2D;5</StartTime><CalcMethod><![CDATA[2]]></CalcMethod></CONFIG>", BOTH },
        { "<CONFIG><StartTime>&#x1F600;</StartTime><CalcMethod>&#128512;</CalcMethod></CONFIG>", L"\xD83D\xDE00|\xD83D\xDE00" },
        { "<?xml version=\"1.0\"?><?editor note?><CONFIG v=\"2\" by='hand'><StartTime kind=\"date\">2009-7-5</StartTime>"
          "<CalcMethod>2</CalcMethod></CONFIG>", BOTH },
        { "<?x\xEF\xBB\xBFml version=\"1.0\" encoding=\"GB2312\"?>" + VALUES, BOTH },   // a byte-order mark inside a name
        { "<?xml version=\"1.0\"?>\n<!DOCTYPE CONFIG>\n" + VALUES, BOTH },
        { Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + VALUES + "\r\n"), BOTH }, { Utf16(VALUES), BOTH },
        { Utf16("<CONFIG><CalcMethod>1</CalcMethod></CONFIG>", true), L"<none>|1" },
        { "<CONFIG>" + Repeat("<a>", 50) + Repeat("</a>", 50) + "<StartTime>1</StartTime></CONFIG>", L"1|<none>" },
        { VALUES + std::string(CONFIG_MAX_BYTES - VALUES.size(), ' '), BOTH },
        // A byte past the size limit, or nested beyond the parser's limit.
        { VALUES + std::string(CONFIG_MAX_BYTES + 1 - VALUES.size(), ' '), NO }, { Repeat("<a>", 100000) + Repeat("</a>", 100000), NO },
        // Nothing, or not well formed.
        { "", NO }, { " \r\n\t\r\n", NO }, { GB, NO }, { GB + "<CONFIG><StartTime>1</StartTime>", NO },
        { "<CONFIG><StartTime>1</CONFIG>", NO }, { "<CONFIG><StartTime>1</Start></CONFIG>", NO }, { GB + "<CONFIG/><CONFIG/>", NO },
        { VALUES + "junk", NO }, { "junk" + VALUES, NO }, { VALUES + "<StartTime>1</StartTime>", NO },
        { "<CONFIG><StartTime>&bogus;</StartTime></CONFIG>", NO }, { "<CONFIG><StartTime>a & b</StartTime></CONFIG>", NO },
        { "<CONFIG><StartTime>&amp</StartTime></CONFIG>", NO }, { "<CONFIG><StartTime>&#0;</StartTime></CONFIG>", NO },
        { "<CONFIG><StartTime>&#x1;</StartTime></CONFIG>", NO }, { "<CONFIG><StartTime>&#xD800;</StartTime></CONFIG>", NO },
        { "<CONFIG><StartTime>&#x;</StartTime></CONFIG>", NO }, { "<CONFIG><StartTime>2009\x01-7-5</StartTime></CONFIG>", NO },
        { BYTES("<CONFIG><StartTime>2009\0-7-5</StartTime></CONFIG>"), NO }, { "<CONFIG a=\"1\" a=\"2\"/>", NO },
        { "<CONFIG a=1/>", NO }, { "<CONFIG a=\"<\"/>", NO }, { "<1CONFIG/>", NO }, { "<CONFIG><2Start>1</2Start></CONFIG>", NO },
        { "<CONFIG><!-- a -- b --></CONFIG>", NO },
        // Encodings we do not read, or that the byte-order mark contradicts; UTF-16 without its mark; bad UTF-8.
        { "<?xml version=\"1.0\" encoding=\"ISO-8859-5\"?>" + VALUES, NO }, { "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + VALUES, NO },
        { "\xEF\xBB\xBF" + GB + VALUES, NO }, { Utf16(GB + VALUES), NO }, { BYTES("<\0C\0O\0N\0F\0I\0G\0/\0>\0"), NO },
        { "<CONFIG><StartTime>\xC3\x28</StartTime></CONFIG>", NO },
        // A declaration not at the start, after the root, without a version, or named in another case.
        { "\r\n" + GB + VALUES, NO }, { VALUES + GB, NO }, { "<?xml encoding=\"GB2312\"?>" + VALUES, NO },
        { "<?XML version=\"1.0\"?>" + VALUES, NO }, { "<?xml version=\"1.0\" encodinG=\"GB2312\"?>" + VALUES, NO },
        // Markup the parser would skip unread, a declaration of an element, what never ends, binary.
        { "<CONFIG><Note><![09-11-20</CDATA[<i>]]></Note></CONFIG>", NO }, { "<!ELEMENT CONFIG ANY>" + VALUES, NO },
        { "<CONFIG><!-- </CONFIG>", NO }, { "<CONFIG><![CDATA[ </CONFIG>", NO }, { BYTES("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0"), NO },
    };
    for (const auto &f : FILES)
    {
        SCOPED_TRACE(testing::Message() << "file #" << (&f - FILES));
        EXPECT_EQ(f.strRead, ReadSavedAlike(f.strBytes));
    }
    // Then the bench's damaged files, a short run.
    int nLoaded = 0;
    for (int i = 0; i < 1500 && !HasFailure(); i++)
    {
        SCOPED_TRACE(testing::Message() << "damaged file #" << i);
        nLoaded += ReadSavedAlike(FuzzCase(FUZZ_SEED, i)).compare(0, 12, L"not loaded: ") != 0;
    }
    EXPECT_GT(nLoaded, 100);   // enough of them load (about one in nine) for the save to count
}

// A new file and then saves as the device writes them: a value is updated in place, and a save keeps
// what the file held and writes the encoding its declaration names. A character that encoding lacks
// becomes a reference where XML has one (text, attribute values) and reads back the same; a name has
// none, so that save fails and changes nothing.
TEST_F(ConfigTest, SavesWriteWhatTheDeviceWritesAndKeepTheRest)
{
    ASSERT_EQ(S_OK, Save(m_strPath));
    EXPECT_EQ(GB + "<CONFIG/>\r\n", ReadFileBytes(m_strPath));
    const std::string UTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", EMPTY = GB + "<CONFIG/>", NOTE = GB + "<CONFIG><Note>";
    const std::string EMOJI = NOTE + "&#x1F600;</Note></CONFIG>\r\n";
    const wchar_t *START = CONFIG_START_TIME, *METHOD = CONFIG_CALC_METHOD;
    struct { std::string strBefore; const wchar_t *pszChild, *pszValue; std::string strAfter; } const CASES[] = {
        { EMPTY, START, L"2009-7-1", ConfigFile("2009-7-1", NULL) }, { ConfigFile("2009-7-1", NULL), METHOD, L"2", ConfigFile("2009-7-1", "2") },
        { ConfigFile("2009-7-1", "2"), START, L"2009-7-5", ConfigFile("2009-7-5", "2") },   // in place, in its order
        // Edited by hand: the comment, the attribute and the order kept.
        { "<?xml version='1.0' encoding='GB2312'?>\r\n<!-- \xD6\xD0 -->\r\n<CONFIG by=\"hand\">\r\n\t<CalcMethod>1</CalcMethod>\r\n"
          "\t<StartTime>1</StartTime>\r\n</CONFIG>\r\n", START, L"2009-8-1",
          GB + "<!-- \xD6\xD0 -->\r\n<CONFIG by=\"hand\"><CalcMethod>1</CalcMethod><StartTime>2009-8-1</StartTime></CONFIG>\r\n" },
        { EMPTY, L"Note", L"\x4E2D\x6587 & <", NOTE + "\xD6\xD0\xCE\xC4 &amp; &lt;</Note></CONFIG>\r\n" },
        { UTF8 + "<CONFIG/>", L"Note", L"\x4E2D", UTF8 + "\r\n<CONFIG><Note>\xE4\xB8\xAD</Note></CONFIG>\r\n" },
        { Utf16("<?xml version='1.0' encoding='UTF-16'?><CONFIG/>"), METHOD, L"1",
          Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<CONFIG><CalcMethod>1</CalcMethod></CONFIG>\r\n") },
        { Utf16("<CONFIG/>"), METHOD, L"1", "<CONFIG><CalcMethod>1</CalcMethod></CONFIG>\r\n" },   // no declaration: UTF-8
        // Beyond the encoding: text, a reference read and saved again, Thai beside Chinese, an attribute
        // value; UTF-8 holds it as it is; an element's name cannot be saved.
        { EMPTY, L"Note", L"\xD83D\xDE00", EMOJI }, { EMOJI, L"Note", L"\xD83D\xDE00", EMOJI },
        { EMPTY, L"Note", L"\x4E2D\x0E01", NOTE + "\xD6\xD0&#xE01;</Note></CONFIG>\r\n" },
        { GB + "<CONFIG by=\"&#x1F600;\"/>", METHOD, L"1", GB + "<CONFIG by=\"&#x1F600;\"><CalcMethod>1</CalcMethod></CONFIG>\r\n" },
        { UTF8 + "<CONFIG/>", L"Note", L"\xD83D\xDE00", UTF8 + "\r\n<CONFIG><Note>\xF0\x9F\x98\x80</Note></CONFIG>\r\n" },
        { EMPTY, L"Note\x0E01", L"1", "" },
    };
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - CASES));
        ASSERT_TRUE(WriteWholeFile(m_strPath, c.strBefore));
        HRESULT hr = Save(m_strPath, c.pszChild, c.pszValue);
        EXPECT_TRUE(c.strAfter.empty() ? hr < 0 : hr == S_OK) << std::hex << hr;
        EXPECT_EQ(c.strAfter.empty() ? c.strBefore : c.strAfter, ReadFileBytes(m_strPath));
        EXPECT_EQ(c.strAfter.empty() ? L"<none>" : c.pszValue, Read(m_strPath, { c.pszChild }));
        EXPECT_EQ(std::vector<std::wstring>{ CONFIG_FILE_NAME }, FilesIn(m_dir.Path()));
    }
}

// A full card, or a reader in the other module holding the file: the replace is refused
// s_nRefusals times, then done as usual.
static int s_nRefusals = 0;
static BOOL RefuseReplace(LPCWSTR pszFrom, LPCWSTR pszTo)
{
    if (s_nRefusals-- <= 0)
        return ReplaceConfigFile(pszFrom, pszTo);
    SetLastError(s_nRefusals >= REPLACE_TRIES ? ERROR_DISK_FULL : ERROR_SHARING_VIOLATION);
    return FALSE;
}

// Any regular file is the user's settings, whatever its marks. Whatever goes wrong in a save, the
// old file stays whole and nothing is left beside it; a save keeps the hidden and system marks and
// leaves a read-only file alone, and a reader holding the file for a moment only delays it.
TEST_F(ConfigTest, SavesReplaceTheFileInOneStepOrLeaveItWhole)
{
    const std::wstring strSpare = m_strPath + CONFIG_TEMP_SUFFIX;
    const int MARKS = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, RO = FILE_ATTRIBUTE_READONLY, A = FILE_ATTRIBUTE_ARCHIVE;
    const HRESULT FAILS = E_FAIL, FULL = HRESULT_FROM_WIN32(ERROR_DISK_FULL), HELD = HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
    struct { int nAttributes, nRefusals; bool bSpareIsFolder; HRESULT hr; } const CASES[] = {
        { A, 0, false, S_OK }, { FILE_ATTRIBUTE_NORMAL, 0, false, S_OK }, { FILE_ATTRIBUTE_HIDDEN, 0, false, S_OK },
        { FILE_ATTRIBUTE_SYSTEM, 0, false, S_OK }, { MARKS | A, 0, false, S_OK }, { RO, 0, false, FAILS }, { RO | MARKS | A, 0, false, FAILS },
        { A, 0, true, FAILS },                   // the spare cannot be written
        { A, REPLACE_TRIES + 5, false, FULL },   // the card is full at the replace
        { A, REPLACE_TRIES, false, HELD },       // a reader never lets go
        { A, REPLACE_TRIES - 1, false, S_OK },   // a reader lets go in time
    };
    g_pfnReplaceConfigFile = RefuseReplace;
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - CASES));
        SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteWholeFile(m_strPath, ConfigFile("2009-7-5", "2")) && SetFileAttributesW(m_strPath.c_str(), c.nAttributes));
        ASSERT_TRUE(!c.bSpareIsFolder || CreateDirectoryW(strSpare.c_str(), NULL));
        EXPECT_EQ(L"2009-7-5|2", Read(m_strPath));
        s_nRefusals = c.nRefusals;
        HRESULT hr = Save(m_strPath, CONFIG_START_TIME, L"2010-10-10");
        RemoveDirectoryW(strSpare.c_str());
        EXPECT_TRUE(c.hr == FAILS ? hr < 0 : hr == c.hr) << std::hex << hr;
        EXPECT_EQ(ConfigFile(c.hr == S_OK ? "2010-10-10" : "2009-7-5", "2"), ReadFileBytes(m_strPath));
        EXPECT_EQ((DWORD)(c.nAttributes & MARKS), GetFileAttributesW(m_strPath.c_str()) & MARKS);
        EXPECT_EQ(std::vector<std::wstring>{ CONFIG_FILE_NAME }, FilesIn(m_dir.Path()));
    }
    // No file, or a folder, is no settings; the very first save, refused, leaves no file at all.
    SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileW(m_strPath.c_str()));
    EXPECT_EQ(NOT_LOADED, Read(m_strPath));
    s_nRefusals = REPLACE_TRIES + 5;
    EXPECT_EQ(FULL, Save(m_strPath));
    EXPECT_TRUE(FilesIn(m_dir.Path()).empty());
    ASSERT_TRUE(CreateDirectoryW(m_strPath.c_str(), NULL));
    EXPECT_EQ(NOT_LOADED, Read(m_strPath));
}

// The deliverables make their documents as on the device, through the component runtime (from
// the class object it gives, or without one), and carry nothing of the stand-in: not its name,
// none of a server's entry points (Dll...), none of the node names a DOM answers with. In this
// prefix the class is answered by the build's stand-in.
TEST_F(ConfigTest, DeliverablesCreateDocumentsThroughTheRegisteredServer)
{
    for (const wchar_t *pszModule : { L"ulvo.dll", MAIN_PROGRAM_NAME })
    {
        std::string strBytes = ReadFileBytes(ExeDir() + L"\\" + pszModule), strLower = strBytes;
        std::transform(strBytes.begin(), strBytes.end(), strLower.begin(), ::tolower);
        EXPECT_NE(std::string::npos, strBytes.find("CoGetClassObject")) << pszModule;
        EXPECT_NE(std::string::npos, strBytes.find("CoCreateInstance")) << pszModule;
        for (const std::string &str : { std::string("Dll"), std::string("XmlDom"), BYTES("#\0c\0d\0a\0t\0a\0-\0s\0e\0c\0t\0i\0o\0n\0") })
            EXPECT_EQ(std::string::npos, strBytes.find(str)) << pszModule;
        EXPECT_EQ(std::string::npos, strLower.find("xmldom")) << pszModule;
    }
    WCHAR szServer[MAX_PATH] = L"";
    GetModuleFileNameW(DomServer(), szServer, MAX_PATH);
    EXPECT_EQ(0, lstrcmpiW((ExeDir() + L"\\xmldom.dll").c_str(), szServer)) << szServer;
}

// A file beside the module, or nothing: a path cut at the buffer's end would name another file.
TEST(ModuleDirFilePath, NamesAFileBesideTheModuleOrNothing)
{
    WCHAR szModule[MAX_PATH], szPath[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameW(NULL, szModule, MAX_PATH));
    std::wstring strExpected(szModule);
    strExpected = strExpected.substr(0, strExpected.rfind(L'\\') + 1) + CONFIG_FILE_NAME;
    EXPECT_TRUE(GetModuleDirFilePath(NULL, CONFIG_FILE_NAME, szPath));
    EXPECT_EQ(strExpected, szPath);

    const std::wstring strLong(MAX_PATH, L'x');
    struct { HMODULE hModule; const WCHAR *pszName; } const CASES[] = {
        { NULL, strLong.c_str() }, { (HMODULE)(ULONG_PTR)0x10, CONFIG_FILE_NAME },
    };
    for (const auto &c : CASES)
    {
        lstrcpynW(szPath, L"stale", MAX_PATH);
        EXPECT_FALSE(GetModuleDirFilePath(c.hModule, c.pszName, szPath));
        EXPECT_STREQ(L"", szPath);
    }
}
