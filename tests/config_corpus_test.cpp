#include "tests/config_test_util.h"

// A literal's bytes, NULs included.
#define BYTES(lit) std::string(lit, sizeof(lit) - 1)

namespace {

struct GoodFile
{
    const char *pszWhat;
    std::string strBytes;
    const wchar_t *pszStartTime;
    const wchar_t *pszCalcMethod;
};

struct BadFile
{
    const char *pszWhat;
    std::string strBytes;
};

const std::string VALUES = "<CONFIG><StartTime>2009-7-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>";

std::string BigEndian(std::string strLittle)
{
    for (size_t i = 0; i + 1 < strLittle.size(); i += 2)
        std::swap(strLittle[i], strLittle[i + 1]);
    return strLittle;
}

// Files as the device's component and people editing by hand leave them.
std::vector<GoodFile> GoodFiles()
{
    const std::string strIndented =
        "<CONFIG>\r\n\t<StartTime>2009-7-5</StartTime>\r\n\t<CalcMethod>2</CalcMethod>\r\n</CONFIG>\r\n";
    return {
        { "written by the device", DEVICE_CONFIG_FILE, L"2009-7-5", L"2" },
        { "single-quoted declaration, LF", "<?xml version='1.0' encoding='GB2312'?>\n" + VALUES + "\n", L"2009-7-5", L"2" },
        { "indented with tabs, CRLF", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n" + strIndented, L"2009-7-5", L"2" },
        { "indented with spaces, LF", "<?xml version=\"1.0\"?>\n<CONFIG>\n  <StartTime>2010-12-31</StartTime>\n"
                                      "  <CalcMethod>1</CalcMethod>\n</CONFIG>\n", L"2010-12-31", L"1" },
        { "no declaration", VALUES, L"2009-7-5", L"2" },
        { "UTF-8 with BOM and declaration", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + VALUES, L"2009-7-5", L"2" },
        { "UTF-8 with BOM, no declaration", "\xEF\xBB\xBF" + VALUES, L"2009-7-5", L"2" },
        { "UTF-8 declared, Chinese comment",
          "<?xml version=\"1.0\" encoding=\"utf-8\"?><!-- \xE9\x85\x8D\xE7\xBD\xAE -->" + VALUES, L"2009-7-5", L"2" },
        { "GB2312 Chinese comment", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n" + VALUES,
          L"2009-7-5", L"2" },
        { "GBK declared", "<?xml version=\"1.0\" encoding=\"GBK\"?>" + VALUES, L"2009-7-5", L"2" },
        { "standalone in declaration", "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>" + VALUES,
          L"2009-7-5", L"2" },
        { "comments before, inside and after", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<!-- settings -->\r\n"
          "<CONFIG><!-- start --><StartTime>2009-7-5</StartTime><!-- method --><CalcMethod>2</CalcMethod></CONFIG>\r\n"
          "<!-- end -->\r\n", L"2009-7-5", L"2" },
        { "empty element <CONFIG/>", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG/>\r\n", L"<none>", L"<none>" },
        { "empty element <CONFIG></CONFIG>", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG></CONFIG>\r\n",
          L"<none>", L"<none>" },
        { "only StartTime", "<CONFIG><StartTime>2009-7-5</StartTime></CONFIG>", L"2009-7-5", L"<none>" },
        { "blanks around the values", "<CONFIG><StartTime> 2009-7-5\t</StartTime><CalcMethod>\r\n2\r\n</CalcMethod></CONFIG>",
          L"2009-7-5", L"2" },
        { "references and CDATA", "<CONFIG><StartTime>2009&#45;7&#x2D;5</StartTime><CalcMethod><![CDATA[2]]></CalcMethod></CONFIG>",
          L"2009-7-5", L"2" },
        { "references beyond the BMP", "<CONFIG><StartTime>&#x1F600;</StartTime><CalcMethod>&#128512;</CalcMethod></CONFIG>",
          L"\xD83D\xDE00", L"\xD83D\xDE00" },
        { "attributes and an instruction", "<?xml version=\"1.0\"?><?editor note?><CONFIG version=\"2\" by='hand'>"
          "<StartTime kind=\"date\">2009-7-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>", L"2009-7-5", L"2" },
        { "byte-order mark inside an instruction's name", "<?x\xEF\xBB\xBFml version=\"1.0\" encoding=\"GB2312\"?>" + VALUES,
          L"2009-7-5", L"2" },
        { "doctype", "<?xml version=\"1.0\"?>\n<!DOCTYPE CONFIG>\n" + VALUES, L"2009-7-5", L"2" },
        { "UTF-16 with BOM and declaration", Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + VALUES + "\r\n"),
          L"2009-7-5", L"2" },
        { "UTF-16 with BOM, no declaration", Utf16LeWithBom(VALUES), L"2009-7-5", L"2" },
        { "UTF-16 big-endian with BOM", BigEndian(Utf16LeWithBom("<CONFIG><CalcMethod>1</CalcMethod></CONFIG>")),
          L"<none>", L"1" },
    };
}

// Files that are not well-formed, or not in an encoding we read: each must fail to load.
std::vector<BadFile> BadFiles()
{
    const std::string DECL = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
    return {
        { "empty", "" },
        { "blank", " \r\n\t\r\n" },
        { "declaration only", DECL },
        { "unclosed root", DECL + "<CONFIG><StartTime>2009-7-5</StartTime>" },
        { "unclosed child", DECL + "<CONFIG><StartTime>2009-7-5</CONFIG>" },
        { "mismatched tags", DECL + "<CONFIG><StartTime>2009-7-5</Start></CONFIG>" },
        { "two root elements", DECL + "<CONFIG/><CONFIG/>" },
        { "text after the root", DECL + VALUES + "junk" },
        { "text before the root", "junk" + VALUES },
        { "element after the root", DECL + VALUES + "<StartTime>1</StartTime>" },
        { "undefined entity", "<CONFIG><StartTime>&bogus;</StartTime></CONFIG>" },
        { "bare ampersand", "<CONFIG><StartTime>a & b</StartTime></CONFIG>" },
        { "entity without semicolon", "<CONFIG><StartTime>&amp</StartTime></CONFIG>" },
        { "reference to NUL", "<CONFIG><StartTime>&#0;</StartTime></CONFIG>" },
        { "reference to a control character", "<CONFIG><StartTime>&#x1;</StartTime></CONFIG>" },
        { "reference to a surrogate", "<CONFIG><StartTime>&#xD800;</StartTime></CONFIG>" },
        { "malformed reference", "<CONFIG><StartTime>&#x;</StartTime></CONFIG>" },
        { "control character in text", "<CONFIG><StartTime>2009\x01-7-5</StartTime></CONFIG>" },
        { "NUL in text", BYTES("<CONFIG><StartTime>2009\0-7-5</StartTime></CONFIG>") },
        { "duplicate attribute", "<CONFIG a=\"1\" a=\"2\"/>" },
        { "unquoted attribute", "<CONFIG a=1/>" },
        { "'<' in an attribute", "<CONFIG a=\"<\"/>" },
        { "name starting with a digit", "<1CONFIG/>" },
        { "child name starting with a digit", "<CONFIG><2StartTime>1</2StartTime></CONFIG>" },
        { "double hyphen in a comment", "<CONFIG><!-- a -- b --></CONFIG>" },
        { "unknown encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-5\"?>" + VALUES },
        { "another unknown encoding", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + VALUES },
        { "UTF-8 BOM with GB2312 declared", "\xEF\xBB\xBF" + DECL + VALUES },
        { "UTF-16 BOM with GB2312 declared", Utf16LeWithBom(DECL + VALUES) },
        { "UTF-16 without BOM", BYTES("<\0C\0O\0N\0F\0I\0G\0/\0>\0") },
        { "invalid UTF-8", "<CONFIG><StartTime>\xC3\x28</StartTime></CONFIG>" },
        { "declaration not at the start", "\r\n" + DECL + VALUES },
        { "declaration after the root", VALUES + DECL },
        { "declaration without version", "<?xml encoding=\"GB2312\"?>" + VALUES },
        { "reserved instruction target", "<?XML version=\"1.0\"?>" + VALUES },
        { "declaration name in another case", "<?xml version=\"1.0\" encodinG=\"GB2312\"?>" + VALUES },
        { "markup the parser would skip", "<CONFIG><Note><![09-11-20</CDATA[<i>]]></Note></CONFIG>" },
        { "a declaration of an element", "<!ELEMENT CONFIG ANY>" + VALUES },
        { "unterminated comment", "<CONFIG><!-- </CONFIG>" },
        { "unterminated CDATA", "<CONFIG><![CDATA[ </CONFIG>" },
        { "binary garbage", BYTES("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10") },
    };
}

} // namespace

TEST_F(ConfigTest, CorpusOfRealFilesReadsBothValues)
{
    for (const GoodFile &file : GoodFiles())
    {
        ASSERT_TRUE(WriteFileBytes(m_strPath, file.strBytes));
        HRESULT hrLoad;
        EXPECT_EQ(file.pszStartTime, ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad)) << file.pszWhat;
        EXPECT_EQ(S_OK, hrLoad) << file.pszWhat;
        EXPECT_EQ(file.pszCalcMethod, ReadChild(m_strPath, CONFIG_CALC_METHOD)) << file.pszWhat;

        // Whatever loads can be saved, and reads back the same.
        ConfigDocument config;
        ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
        ASSERT_EQ(S_OK, config.LoadXMLFile(m_strPath.c_str())) << file.pszWhat;
        EXPECT_EQ(S_OK, config.SaveXMLFile()) << file.pszWhat;
        config.ReleaseXMLDOMDocument();
        EXPECT_EQ(file.pszStartTime, ReadChild(m_strPath, CONFIG_START_TIME)) << file.pszWhat;
        EXPECT_EQ(file.pszCalcMethod, ReadChild(m_strPath, CONFIG_CALC_METHOD)) << file.pszWhat;
    }
}

TEST_F(ConfigTest, MalformedCorpusFailsToLoadAndLeavesTheDocumentEmpty)
{
    for (const BadFile &file : BadFiles())
    {
        ASSERT_TRUE(WriteFileBytes(m_strPath, file.strBytes));
        ConfigDocument config;
        ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
        EXPECT_EQ(S_FALSE, config.LoadXMLFile(m_strPath.c_str())) << file.pszWhat;
        EXPECT_STREQ(L"", config.GetPath()) << file.pszWhat;
        IXMLDOMNode *pRoot = NULL;
        EXPECT_EQ(S_FALSE, config.SelectNode(CONFIG_ROOT, &pRoot)) << file.pszWhat;
        EXPECT_EQ(NULL, pRoot);
        if (pRoot)
            pRoot->Release();
        config.ReleaseXMLDOMDocument();
    }
}

TEST_F(ConfigTest, NestingBeyondTheLimitFailsWithoutOverflowingTheStack)
{
    std::string strDeep;
    for (int i = 0; i < 100000; i++)
        strDeep += "<a>";
    for (int i = 0; i < 100000; i++)
        strDeep += "</a>";
    ASSERT_TRUE(WriteFileBytes(m_strPath, strDeep));
    HRESULT hrLoad;
    ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad);
    EXPECT_EQ(S_FALSE, hrLoad);

    std::string strModest = "<CONFIG>";
    for (int i = 0; i < 50; i++)
        strModest += "<a>";
    for (int i = 0; i < 50; i++)
        strModest += "</a>";
    ASSERT_TRUE(WriteFileBytes(m_strPath, strModest + "<StartTime>2009-7-5</StartTime></CONFIG>"));
    EXPECT_EQ(L"2009-7-5", ReadChild(m_strPath, CONFIG_START_TIME));
}

// A settings file is a few hundred bytes: past 64 KiB nothing is parsed, however well formed.
TEST_F(ConfigTest, FilesPastTheSizeLimitAreNotRead)
{
    const std::string strHead = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<CONFIG><StartTime>2009-7-5</StartTime>";
    const std::string strTail = "</CONFIG>\r\n";
    struct { size_t cb; const wchar_t *pszRead; } const SIZES[] = {
        { CONFIG_MAX_BYTES, L"2009-7-5" },
        { CONFIG_MAX_BYTES + 1, L"<none>" },
        { 10 * 1024 * 1024, L"<none>" },
    };
    for (const auto &c : SIZES)
    {
        std::string str = strHead + std::string(c.cb - strHead.size() - strTail.size(), ' ') + strTail;
        ASSERT_TRUE(WriteFileBytes(m_strPath, str));
        HRESULT hrLoad;
        EXPECT_EQ(c.pszRead, ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad)) << c.cb;
        EXPECT_EQ(c.pszRead[0] == L'<' ? S_FALSE : S_OK, hrLoad) << c.cb;
    }
}
