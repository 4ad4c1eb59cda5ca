#include "tests/config_test_util.h"

namespace {

// Stores one setting the way the settings dialog does: update the child in place, or append it.
HRESULT StoreSetting(const std::wstring &strPath, const wchar_t *pszChild, const wchar_t *pszValue)
{
    ConfigDocument config;
    HRESULT hr = config.InitXMLDOMDocument();
    if (hr == S_OK)
        hr = config.LoadXMLFile(strPath.c_str());
    IXMLDOMNode *pRoot = NULL;
    if (hr == S_OK)
        hr = config.SelectNode(CONFIG_ROOT, &pRoot);
    if (hr == S_OK && pRoot)
    {
        IXMLDOMNode *pChild = NULL;
        hr = config.FindChildNode(pRoot, pszChild, &pChild);
        if (hr >= 0 && pChild)
            hr = config.SetNodeText(pChild, pszValue);
        else
            hr = config.AppendChildElement(pRoot, pszChild, pszValue, &pChild);
        if (pChild)
            pChild->Release();
        pRoot->Release();
    }
    if (hr == S_OK)
        hr = config.SaveXMLFile();
    config.ReleaseXMLDOMDocument();
    return hr;
}

HRESULT CreateConfig(const std::wstring &strPath)
{
    ConfigDocument config;
    HRESULT hr = config.InitXMLDOMDocument();
    if (hr == S_OK)
        hr = CreateNewConfigFile(&config, strPath.c_str());
    config.ReleaseXMLDOMDocument();
    return hr;
}

const PFN_REPLACEFILE s_pfnRealReplace = g_pfnReplaceConfigFile;
int s_nRefusals = 0;

// A card that is full, or a reader of the other module that keeps the file for a while: the
// replace is refused s_nRefusals times, then done as usual.
BOOL RefuseReplace(LPCWSTR pszFrom, LPCWSTR pszTo)
{
    if (s_nRefusals-- > 0)
    {
        SetLastError(s_nRefusals >= REPLACE_TRIES ? ERROR_DISK_FULL : ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return s_pfnRealReplace(pszFrom, pszTo);
}

} // namespace

TEST_F(ConfigTest, StoredSettingsAreWrittenAsTheDeviceWritesThem)
{
    ASSERT_EQ(S_OK, CreateConfig(m_strPath));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_START_TIME, L"2009-7-5"));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_CALC_METHOD, L"2"));

    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
              "<CONFIG><StartTime>2009-7-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n",
              ReadFileBytes(m_strPath));
    EXPECT_EQ(std::vector<std::wstring>{ L"config.xml" }, ListDir(m_dir.Path()));
}

TEST_F(ConfigTest, RoundTripUpdatesInPlaceAndKeepsTheChildOrder)
{
    // Built in one document: declaration, CONFIG, both children, saved.
    {
        ConfigDocument config;
        ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
        ASSERT_EQ(S_OK, config.CreateXMLFile(m_strPath.c_str()));
        IXMLDOMNode *pRoot = NULL, *pChild = NULL;
        ASSERT_EQ(S_OK, config.AppendElement(CONFIG_ROOT, L"", &pRoot));
        ASSERT_EQ(S_OK, config.AppendChildElement(pRoot, CONFIG_START_TIME, L"2010-1-31", &pChild));
        pChild->Release();
        ASSERT_EQ(S_OK, config.AppendChildElement(pRoot, CONFIG_CALC_METHOD, L"1", NULL));
        pRoot->Release();
        ASSERT_EQ(S_OK, config.SaveXMLFile());
        EXPECT_EQ(m_strPath, config.GetPath());
    }
    EXPECT_EQ(L"2010-1-31", ReadChild(m_strPath, CONFIG_START_TIME));
    EXPECT_EQ(L"1", ReadChild(m_strPath, CONFIG_CALC_METHOD));

    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_START_TIME, L"2011-12-1"));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_CALC_METHOD, L"2"));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
              "<CONFIG><StartTime>2011-12-1</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n",
              ReadFileBytes(m_strPath));
}

TEST_F(ConfigTest, HandEditedFileKeepsItsCommentsAndAttributesThroughASave)
{
    ASSERT_TRUE(WriteFileBytes(m_strPath,
        "<?xml version='1.0' encoding='GB2312'?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n"
        "<CONFIG by=\"hand\">\r\n\t<CalcMethod>1</CalcMethod>\r\n\t<StartTime>2009-7-5</StartTime>\r\n</CONFIG>\r\n"));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_START_TIME, L"2009-8-1"));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n"
              "<CONFIG by=\"hand\"><CalcMethod>1</CalcMethod><StartTime>2009-8-1</StartTime></CONFIG>\r\n",
              ReadFileBytes(m_strPath));
}

TEST_F(ConfigTest, SavedFileUsesTheEncodingItsDeclarationNames)
{
    ASSERT_EQ(S_OK, CreateConfig(m_strPath));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, L"Note", L"\x4E2D\x6587 & <"));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
              "<CONFIG><Note>\xD6\xD0\xCE\xC4 &amp; &lt;</Note></CONFIG>\r\n", ReadFileBytes(m_strPath));
    EXPECT_EQ(L"\x4E2D\x6587 & <", ReadChild(m_strPath, L"Note"));

    ASSERT_TRUE(WriteFileBytes(m_strPath, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CONFIG/>"));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, L"Note", L"\x4E2D"));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<CONFIG><Note>\xE4\xB8\xAD</Note></CONFIG>\r\n",
              ReadFileBytes(m_strPath));

    ASSERT_TRUE(WriteFileBytes(m_strPath, Utf16LeWithBom("<?xml version='1.0' encoding='UTF-16'?><CONFIG/>")));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_CALC_METHOD, L"1"));
    EXPECT_EQ(Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<CONFIG><CalcMethod>1</CalcMethod></CONFIG>\r\n"),
              ReadFileBytes(m_strPath));

    // Without a declaration a file is UTF-8, whatever it was read from.
    ASSERT_TRUE(WriteFileBytes(m_strPath, Utf16LeWithBom("<CONFIG/>")));
    ASSERT_EQ(S_OK, StoreSetting(m_strPath, CONFIG_CALC_METHOD, L"1"));
    EXPECT_EQ("<CONFIG><CalcMethod>1</CalcMethod></CONFIG>\r\n", ReadFileBytes(m_strPath));
}

// A character the declared encoding cannot hold is written as a character reference where XML
// allows one (text and attribute values) and reads back the same; in a name there is no such
// form, so that save fails and leaves the file as it was.
TEST_F(ConfigTest, CharactersBeyondTheEncodingAreWrittenAsReferences)
{
    const std::string GB = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
    const std::string EMOJI_NOTE = GB + "<CONFIG><Note>&#x1F600;</Note></CONFIG>\r\n";
    struct
    {
        const char *pszWhat;
        std::string strBefore;
        const wchar_t *pszChild;
        const wchar_t *pszValue;
        std::string strAfter;   // empty: the save fails
    } s_aCases[] = {
        { "text beyond GB2312", GB + "<CONFIG/>", L"Note", L"\xD83D\xDE00", EMOJI_NOTE },
        { "a reference loaded and saved again", EMOJI_NOTE, L"Note", L"\xD83D\xDE00", EMOJI_NOTE },
        { "Thai text beyond GB2312, Chinese kept", GB + "<CONFIG/>", L"Note", L"\x4E2D\x0E01",
          GB + "<CONFIG><Note>\xD6\xD0&#xE01;</Note></CONFIG>\r\n" },
        { "an attribute value", GB + "<CONFIG by=\"&#x1F600;\"/>", CONFIG_CALC_METHOD, L"1",
          GB + "<CONFIG by=\"&#x1F600;\"><CalcMethod>1</CalcMethod></CONFIG>\r\n" },
        { "UTF-8 holds it as it is", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CONFIG/>", L"Note", L"\xD83D\xDE00",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<CONFIG><Note>\xF0\x9F\x98\x80</Note></CONFIG>\r\n" },
        { "an element name beyond GB2312", GB + "<CONFIG/>", L"Note\x0E01", L"1", "" },
    };
    for (const auto &c : s_aCases)
    {
        ASSERT_TRUE(WriteFileBytes(m_strPath, c.strBefore));
        HRESULT hr = StoreSetting(m_strPath, c.pszChild, c.pszValue);
        if (c.strAfter.empty())
        {
            EXPECT_LT(hr, 0) << c.pszWhat;
            EXPECT_EQ(c.strBefore, ReadFileBytes(m_strPath)) << c.pszWhat;
            continue;
        }
        EXPECT_EQ(S_OK, hr) << c.pszWhat;
        EXPECT_EQ(c.strAfter, ReadFileBytes(m_strPath)) << c.pszWhat;
        EXPECT_EQ(c.pszValue, ReadChild(m_strPath, c.pszChild)) << c.pszWhat;
    }
    EXPECT_EQ(std::vector<std::wstring>{ L"config.xml" }, ListDir(m_dir.Path()));
}

// Whatever goes wrong in a save, the old file stays whole and nothing is left beside it; a
// reader holding the file for a moment only delays the save.
TEST_F(ConfigTest, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile)
{
    const std::wstring strTemp = m_strPath + CONFIG_TEMP_SUFFIX;
    struct { const char *pszWhat; int nRefusals; bool bTempIsDirectory; HRESULT hr; } const CASES[] = {
        { "the new file cannot be written", 0, true, E_FAIL },
        { "the card is full at the replace", REPLACE_TRIES + 5, false, HRESULT_FROM_WIN32(ERROR_DISK_FULL) },
        { "a reader never lets go", REPLACE_TRIES, false, HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) },
        { "a reader lets go in time", REPLACE_TRIES - 1, false, S_OK },
    };
    g_pfnReplaceConfigFile = RefuseReplace;
    for (const auto &c : CASES)
    {
        SCOPED_TRACE(c.pszWhat);
        ASSERT_TRUE(WriteFileBytes(m_strPath, DEVICE_CONFIG_FILE));
        if (c.bTempIsDirectory)
            CreateDirectoryW(strTemp.c_str(), NULL);
        s_nRefusals = c.nRefusals;
        HRESULT hr = StoreSetting(m_strPath, CONFIG_START_TIME, L"2010-10-10");
        RemoveDirectoryW(strTemp.c_str());
        if (c.hr == S_OK)
        {
            EXPECT_EQ(S_OK, hr);
            EXPECT_EQ(L"2010-10-10", ReadChild(m_strPath, CONFIG_START_TIME));
        }
        else
        {
            EXPECT_LT(hr, 0);
            EXPECT_TRUE(c.hr == E_FAIL || c.hr == hr) << std::hex << hr;
            EXPECT_EQ(DEVICE_CONFIG_FILE, ReadFileBytes(m_strPath));
        }
        EXPECT_EQ(std::vector<std::wstring>{ L"config.xml" }, ListDir(m_dir.Path()));
    }
}

TEST_F(ConfigTest, FailedFirstSaveLeavesNoFileBehind)
{
    g_pfnReplaceConfigFile = RefuseReplace;
    s_nRefusals = REPLACE_TRIES + 5;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DISK_FULL), CreateConfig(m_strPath));
    EXPECT_TRUE(ListDir(m_dir.Path()).empty());

    g_pfnReplaceConfigFile = s_pfnRealReplace;
    std::wstring strNoDir = m_dir.File(L"missing\\config.xml");
    EXPECT_LT(CreateConfig(strNoDir), 0);
    EXPECT_TRUE(ListDir(m_dir.Path()).empty());
}

// The marks the user gave the file stay on it through a save; a read-only file is not touched.
TEST_F(ConfigTest, SaveKeepsHiddenAndSystemMarksAndLeavesReadOnlyFilesAlone)
{
    const DWORD MARKS = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (DWORD dwMarks : { (DWORD)FILE_ATTRIBUTE_ARCHIVE, (DWORD)FILE_ATTRIBUTE_HIDDEN, (DWORD)FILE_ATTRIBUTE_SYSTEM,
                           MARKS, (DWORD)FILE_ATTRIBUTE_READONLY })
    {
        SCOPED_TRACE(dwMarks);
        SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(m_strPath, DEVICE_CONFIG_FILE));
        ASSERT_TRUE(SetFileAttributesW(m_strPath.c_str(), dwMarks));
        HRESULT hr = StoreSetting(m_strPath, CONFIG_START_TIME, L"2010-10-10");
        if (dwMarks == FILE_ATTRIBUTE_READONLY)
        {
            EXPECT_LT(hr, 0);
            EXPECT_EQ(DEVICE_CONFIG_FILE, ReadFileBytes(m_strPath));
        }
        else
        {
            EXPECT_EQ(S_OK, hr);
            EXPECT_EQ(L"2010-10-10", ReadChild(m_strPath, CONFIG_START_TIME));
        }
        EXPECT_EQ(dwMarks & MARKS, GetFileAttributesW(m_strPath.c_str()) & MARKS);
        EXPECT_EQ(std::vector<std::wstring>{ L"config.xml" }, ListDir(m_dir.Path()));
    }
    SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}
