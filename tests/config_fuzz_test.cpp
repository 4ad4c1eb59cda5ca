#include "tests/config_test_util.h"

namespace {

const int FUZZ_DOCUMENTS = 20000;
const unsigned int FUZZ_SEED = 20090705u;

// xorshift32: the same documents on every machine and every run.
class FuzzRandom
{
public:
    explicit FuzzRandom(unsigned int nSeed) : m_nState(nSeed) {}
    unsigned int Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    unsigned int m_nState;
};

std::vector<std::string> Seeds()
{
    return {
        DEVICE_CONFIG_FILE,
        "<?xml version='1.0' encoding='GB2312'?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n<CONFIG>\r\n\t<StartTime>2009-7-5</StartTime>\r\n"
        "\t<CalcMethod>1</CalcMethod>\r\n</CONFIG>\r\n",
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><CONFIG a=\"1\" b='2'><xStartTime>&#50;&lt;</xStartTime>"
        "<StartTime><![CDATA[2010-1-1]]></StartTime><?pi data?></CONFIG>",
        Utf16LeWithBom("<?xml version=\"1.0\" encoding=\"UTF-16\"?><CONFIG><CalcMethod>2</CalcMethod></CONFIG>"),
        "<CONFIG/>",
    };
}

const char *const TOKENS[] = {
    "<", ">", "/>", "</", "</CONFIG>", "<CONFIG>", "<StartTime>", "</StartTime>", "&", "&amp;", "&#", "&#x",
    ";", "<!--", "-->", "<?xml ", "?>", "<![CDATA[", "]]>", "'", "\"", "=", " encoding='GBK'", "\xEF\xBB\xBF",
    "\xFF\xFE", "\xD6", "\x01", "\r\n", "<!DOCTYPE [", "]", "<a>", "</a>",
};

std::string Mutate(const std::string &strSeed, FuzzRandom *pRandom)
{
    std::string str = strSeed;
    int nEdits = 1 + (int)pRandom->Below(4);
    for (int i = 0; i < nEdits; i++)
    {
        size_t nAt = pRandom->Below(str.size() + 1);
        switch (pRandom->Below(6))
        {
        case 0:
            if (!str.empty())
                str[pRandom->Below(str.size())] ^= (char)(1 << pRandom->Below(8));
            break;
        case 1:
            str.insert(nAt, 1, (char)pRandom->Next());
            break;
        case 2:
            str.erase(nAt, pRandom->Below(8));
            break;
        case 3:
            str.insert(nAt, TOKENS[pRandom->Below(ARRAYSIZE(TOKENS))]);
            break;
        case 4:
            str.insert(nAt, str.substr(pRandom->Below(str.size() + 1), pRandom->Below(16)));
            break;
        default:
            str.resize(nAt);
            break;
        }
    }
    return str;
}

} // namespace

// Mutated documents go through load and both reads; whatever loads is saved and must load
// again with the same values. Nothing may crash, and every node, list and string is given back.
TEST_F(ConfigTest, MutatedDocumentsNeverCrashOrLeak)
{
    FuzzRandom random(FUZZ_SEED);
    std::vector<std::string> seeds = Seeds();
    int nLoaded = 0;
    for (int i = 0; i < FUZZ_DOCUMENTS; i++)
    {
        std::string strDocument = Mutate(seeds[random.Below(seeds.size())], &random);
        ASSERT_TRUE(WriteFileBytes(m_strPath, strDocument));

        HRESULT hrLoad;
        std::wstring strStart = ReadChild(m_strPath, CONFIG_START_TIME, &hrLoad);
        std::wstring strMethod = ReadChild(m_strPath, CONFIG_CALC_METHOD);
        ASSERT_TRUE(hrLoad == S_OK || hrLoad == S_FALSE) << "document " << i;
        if (hrLoad == S_OK)
        {
            nLoaded++;
            ConfigDocument config;
            ASSERT_EQ(S_OK, config.InitXMLDOMDocument());
            ASSERT_EQ(S_OK, config.LoadXMLFile(m_strPath.c_str()));
            HRESULT hrSave = config.SaveXMLFile();
            config.ReleaseXMLDOMDocument();
            ASSERT_EQ(S_OK, hrSave) << "document " << i;
            HRESULT hrReload;
            EXPECT_EQ(strStart, ReadChild(m_strPath, CONFIG_START_TIME, &hrReload)) << "document " << i;
            EXPECT_EQ(S_OK, hrReload) << "document " << i;
            EXPECT_EQ(strMethod, ReadChild(m_strPath, CONFIG_CALC_METHOD)) << "document " << i;
        }
        ASSERT_EQ(m_nObjectsBefore, DomLiveObjects()) << "document " << i;
        ASSERT_EQ(m_nBstrsBefore, LiveBstrCount()) << "document " << i;
    }
    // Enough of them still load for the save-and-reload half to be exercised.
    EXPECT_GT(nLoaded, FUZZ_DOCUMENTS / 40);
}
