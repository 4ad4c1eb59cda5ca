#include "tests/config_test_util.h"
#include <algorithm>

TEST_F(ConfigTest, MissingFileLoadsNothingAndReadsNothing)
{
    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    EXPECT_EQ(S_FALSE, config.LoadXMLFile(m_strPath.c_str()));
    EXPECT_STREQ(L"", config.GetPath());
    WCHAR *pszText = NULL;
    EXPECT_EQ(S_FALSE, config.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszText));
    EXPECT_EQ(NULL, pszText);
    config.ReleaseXMLDOMDocument();
    config.ReleaseXMLDOMDocument();
}

TEST_F(ConfigTest, FirstStartLeavesDeclarationAndEmptyConfig)
{
    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    ASSERT_NE(S_OK, config.LoadXMLFile(m_strPath.c_str()));
    EXPECT_EQ(S_OK, CreateNewConfigFile(&config, m_strPath.c_str()));
    config.ReleaseXMLDOMDocument();

    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG/>\r\n", ReadFileBytes(m_strPath));
    HRESULT hrLoad, hrRead;
    EXPECT_EQ(L"<none>", ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad, &hrRead));
    EXPECT_EQ(S_OK, hrLoad);
    EXPECT_EQ(S_FALSE, hrRead);
}

TEST_F(ConfigTest, UnparsableFileFailsKeepsOldPathAndIsReplacedAtStartUp)
{
    std::wstring strGood = m_dir.File(L"good.xml");
    ASSERT_TRUE(WriteFileBytes(strGood, DEVICE_CONFIG_FILE));
    ASSERT_TRUE(WriteFileBytes(m_strPath, "<CONFIG><StartTime>2009-7-5</CONFIG>"));

    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    ASSERT_EQ(S_OK, config.LoadXMLFile(strGood.c_str()));
    config.ReleaseXMLDOMDocument();
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    EXPECT_EQ(S_FALSE, config.LoadXMLFile(m_strPath.c_str()));
    EXPECT_EQ(strGood, config.GetPath());
    WCHAR *pszText = NULL;
    EXPECT_EQ(S_FALSE, config.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszText));
    EXPECT_EQ(NULL, pszText);

    EXPECT_EQ(S_OK, CreateNewConfigFile(&config, m_strPath.c_str()));
    config.ReleaseXMLDOMDocument();
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG/>\r\n", ReadFileBytes(m_strPath));
    EXPECT_EQ(DEVICE_CONFIG_FILE, ReadFileBytes(strGood));
}

TEST_F(ConfigTest, OtherDocumentElementLoadsButReadsAndUpdatesFail)
{
    const std::string strOther = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
                                 "<SETTINGS><StartTime>2009-7-5</StartTime></SETTINGS>\r\n";
    ASSERT_TRUE(WriteFileBytes(m_strPath, strOther));

    HRESULT hrLoad, hrRead;
    EXPECT_EQ(L"<none>", ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad, &hrRead));
    EXPECT_EQ(S_OK, hrLoad);
    EXPECT_EQ(S_FALSE, hrRead);

    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    ASSERT_EQ(S_OK, config.LoadXMLFile(m_strPath.c_str()));
    IXMLDOMNode *pRoot = NULL;
    EXPECT_EQ(S_FALSE, config.SelectNode(CONFIG_ROOT, &pRoot));
    EXPECT_EQ(NULL, pRoot);
    config.ReleaseXMLDOMDocument();
    EXPECT_EQ(strOther, ReadFileBytes(m_strPath));
}

TEST_F(ConfigTest, OnlyTheChildOfExactlyThatNameIsRead)
{
    ASSERT_TRUE(WriteFileBytes(m_strPath,
        "<CONFIG><!-- StartTime below --><LastStartTime>2001-1-1</LastStartTime><xStartTimey>2002-2-2</xStartTimey>"
        "<StartTime>2009-7-5</StartTime><CalcMethod>1</CalcMethod></CONFIG>"));
    EXPECT_EQ(L"2009-7-5", ReadChild(m_strPath, CONFIG_START_TIME));
    EXPECT_EQ(L"1", ReadChild(m_strPath, CONFIG_CALC_METHOD));
    EXPECT_EQ(L"<none>", ReadChild(m_strPath, L"Start"));
}

TEST_F(ConfigTest, ValuesComeBackExactlyAsStored)
{
    ASSERT_TRUE(WriteFileBytes(m_strPath,
        "<?xml version='1.0' encoding='GB2312'?>\r\n"
        "<CONFIG><StartTime>2009-7-5</StartTime><CalcMethod>3</CalcMethod></CONFIG>\r\n"));
    EXPECT_EQ(L"2009-7-5", ReadChild(m_strPath, CONFIG_START_TIME));
    EXPECT_EQ(L"3", ReadChild(m_strPath, CONFIG_CALC_METHOD));
}

TEST_F(ConfigTest, EmptyChildGivesAnEmptyText)
{
    ASSERT_TRUE(WriteFileBytes(m_strPath, "<CONFIG><StartTime></StartTime><CalcMethod/></CONFIG>"));
    HRESULT hrRead;
    EXPECT_EQ(L"", ReadChild(m_strPath, CONFIG_START_TIME, NULL, &hrRead));
    EXPECT_EQ(S_OK, hrRead);
    EXPECT_EQ(L"", ReadChild(m_strPath, CONFIG_CALC_METHOD));
}

// Any regular file is the user's settings, whatever its attribute bits; a directory is not.
TEST_F(ConfigTest, AnyRegularFileCountsAsPresent)
{
    static const DWORD s_aAttributes[] = {
        FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_SYSTEM,
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE,
    };
    for (DWORD dwAttributes : s_aAttributes)
    {
        SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(m_strPath, DEVICE_CONFIG_FILE));
        ASSERT_TRUE(SetFileAttributesW(m_strPath.c_str(), dwAttributes));
        HRESULT hrLoad;
        EXPECT_EQ(L"2009-7-5", ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad)) << "attributes " << dwAttributes;
        EXPECT_EQ(S_OK, hrLoad) << "attributes " << dwAttributes;
    }
    SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    std::wstring strDirPath = m_dir.File(L"sub");
    ASSERT_TRUE(CreateDirectoryW(strDirPath.c_str(), NULL));
    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    EXPECT_EQ(S_FALSE, config.LoadXMLFile(strDirPath.c_str()));
    EXPECT_STREQ(L"", config.GetPath());
}

TEST_F(ConfigTest, ReadOnlyFileLoadsButItsSaveFailsAndLeavesItAlone)
{
    ASSERT_TRUE(WriteFileBytes(m_strPath, DEVICE_CONFIG_FILE));
    ASSERT_TRUE(SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_READONLY));

    ConfigDocument config;
    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    ASSERT_EQ(S_OK, config.LoadXMLFile(m_strPath.c_str()));
    IXMLDOMNode *pRoot = NULL, *pChild = NULL;
    ASSERT_EQ(S_OK, config.SelectNode(CONFIG_ROOT, &pRoot));
    ASSERT_EQ(S_OK, config.FindChildNode(pRoot, CONFIG_START_TIME, &pChild));
    EXPECT_EQ(S_OK, config.SetNodeText(pChild, L"2010-1-1"));
    EXPECT_LT(config.SaveXMLFile(), 0);
    pChild->Release();
    pRoot->Release();
    config.ReleaseXMLDOMDocument();

    EXPECT_EQ(DEVICE_CONFIG_FILE, ReadFileBytes(m_strPath));
    EXPECT_EQ(std::vector<std::wstring>{ L"config.xml" }, ListDir(m_dir.Path()));
    SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ConfigTest, MissingArgumentsOrDocumentGiveOne)
{
    ConfigDocument config;
    IXMLDOMNode *pNode = NULL;
    WCHAR *pszText = NULL;
    EXPECT_EQ(S_FALSE, config.LoadXMLFile(m_strPath.c_str()));
    EXPECT_EQ(S_FALSE, config.SaveXMLFile());
    EXPECT_EQ(S_FALSE, config.SelectNode(CONFIG_ROOT, &pNode));
    EXPECT_EQ(S_FALSE, config.GetChildText(CONFIG_ROOT, CONFIG_START_TIME, &pszText));
    EXPECT_EQ(S_FALSE, config.AppendElement(CONFIG_ROOT, L"", &pNode));

    ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
    EXPECT_EQ(S_FALSE, config.LoadXMLFile(NULL));
    EXPECT_EQ(S_FALSE, config.CreateXMLFile(NULL));
    EXPECT_EQ(S_FALSE, config.SelectNode(NULL, &pNode));
    EXPECT_EQ(S_FALSE, config.FindChildNode(NULL, CONFIG_START_TIME, &pNode));
    EXPECT_EQ(S_FALSE, config.GetChildText(NULL, CONFIG_START_TIME, &pszText));
    EXPECT_EQ(S_FALSE, config.GetChildText(CONFIG_ROOT, NULL, &pszText));
    EXPECT_EQ(S_FALSE, config.SetNodeText(NULL, L"1"));
    EXPECT_EQ(S_FALSE, config.AppendElement(NULL, L"", &pNode));
    EXPECT_EQ(S_FALSE, config.AppendElement(CONFIG_ROOT, NULL, &pNode));
    EXPECT_EQ(S_FALSE, config.AppendChildElement(NULL, CONFIG_START_TIME, L"1", &pNode));
    EXPECT_EQ(NULL, pNode);
    EXPECT_EQ(NULL, pszText);
    config.FreeText(NULL);
}

TEST_F(ConfigTest, DocumentStillHeldIsReleasedWithTheObject)
{
    {
        ConfigDocument config;
        ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
        ASSERT_TRUE(WriteFileBytes(m_strPath, DEVICE_CONFIG_FILE));
        ASSERT_EQ(S_OK, config.LoadXMLFile(m_strPath.c_str()));
        EXPECT_GT(DomLiveObjects(), m_nObjectsBefore);
    }
    EXPECT_EQ(m_nObjectsBefore, DomLiveObjects());
}

TEST(ModuleDirFilePath, NamesAFileBesideTheModule)
{
    WCHAR szModule[MAX_PATH] = { 0 };
    ASSERT_GT(GetModuleFileNameW(NULL, szModule, MAX_PATH), 0u);
    std::wstring strExpected = szModule;
    strExpected = strExpected.substr(0, strExpected.rfind(L'\\') + 1) + L"config.xml";

    WCHAR szPath[MAX_PATH] = { 0 };
    EXPECT_TRUE(GetModuleDirFilePath(NULL, CONFIG_FILE_NAME, szPath));
    EXPECT_EQ(strExpected, szPath);

    // A path that cannot be had leaves nothing behind, not a cut path naming another file.
    std::wstring strLong(MAX_PATH, L'x');
    for (HMODULE hModule : { (HMODULE)NULL, (HMODULE)(ULONG_PTR)0x10 })
    {
        WCHAR szOther[MAX_PATH];
        wcscpy(szOther, L"stale");
        EXPECT_FALSE(GetModuleDirFilePath(hModule, hModule ? CONFIG_FILE_NAME : strLong.c_str(), szOther));
        EXPECT_STREQ(L"", szOther);
    }
    EXPECT_FALSE(GetModuleDirFilePath(NULL, CONFIG_FILE_NAME, NULL));
}

namespace {

// Each import of a module as "dll!function", the DLL's name in lower case, read from the file
// mapped as an image without running any of it.
std::vector<std::string> ImportsOf(const std::wstring &strPath)
{
    std::vector<std::string> imports;
    HMODULE hImage = LoadLibraryExW(strPath.c_str(), NULL, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!hImage)
        return imports;
    BYTE *pBase = (BYTE *)((ULONG_PTR)hImage & ~(ULONG_PTR)3);
    IMAGE_NT_HEADERS *pNt = (IMAGE_NT_HEADERS *)(pBase + ((IMAGE_DOS_HEADER *)pBase)->e_lfanew);
    DWORD dwRva = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (IMAGE_IMPORT_DESCRIPTOR *pDesc = (IMAGE_IMPORT_DESCRIPTOR *)(pBase + dwRva); dwRva && pDesc->Name; pDesc++)
    {
        std::string strDll = (const char *)(pBase + pDesc->Name);
        for (char &ch : strDll)
            ch = (char)tolower((unsigned char)ch);
        for (IMAGE_THUNK_DATA *p = (IMAGE_THUNK_DATA *)(pBase + pDesc->OriginalFirstThunk); p->u1.AddressOfData; p++)
        {
            if (!IMAGE_SNAP_BY_ORDINAL(p->u1.Ordinal))
                imports.push_back(strDll + "!" + (const char *)((IMAGE_IMPORT_BY_NAME *)(pBase + p->u1.AddressOfData))->Name);
        }
    }
    FreeLibrary(hImage);
    return imports;
}

} // namespace

// The deliverables make their documents as on the device, through the component runtime, and
// carry nothing of the stand-in: no import from it, none of its entry points, none of the node
// names a DOM answers with. In this prefix the class is answered by the build's stand-in.
TEST(DomServer, DeliverablesCreateDocumentsThroughTheRegisteredServer)
{
    static const char CDATA_NODE_NAME[] = "#\0c\0d\0a\0t\0a\0-\0s\0e\0c\0t\0i\0o\0n\0";
    for (const wchar_t *pszModule : { L"ulvo.dll", L"Main.exe" })
    {
        std::wstring strName = pszModule;
        std::vector<std::string> imports = ImportsOf(BinDir() + L"\\" + pszModule);
        EXPECT_NE(imports.end(), std::find(imports.begin(), imports.end(), "ole32.dll!CoCreateInstance")) << strName;
        for (const std::string &strImport : imports)
        {
            EXPECT_EQ(std::string::npos, strImport.find("xmldom")) << strName << ": " << strImport;
            EXPECT_EQ(std::string::npos, strImport.find("!Dll")) << strName << ": " << strImport;
            EXPECT_EQ(std::string::npos, strImport.find("!XmlDom")) << strName << ": " << strImport;
        }
        std::string strBytes = ReadFileBytes(BinDir() + L"\\" + pszModule);
        EXPECT_EQ(std::string::npos, strBytes.find(std::string(CDATA_NODE_NAME, sizeof(CDATA_NODE_NAME) - 1))) << strName;
    }

    ASSERT_EQ(S_OK, CoInitializeEx(NULL, COINIT_MULTITHREADED));
    WCHAR szServer[MAX_PATH] = { 0 };
    GetModuleFileNameW(DomServerModule(), szServer, MAX_PATH);
    EXPECT_EQ(0, lstrcmpiW((BinDir() + L"\\xmldom.dll").c_str(), szServer)) << szServer;
    EXPECT_GE(DomLiveObjects(), 0);
    CoUninitialize();
}
