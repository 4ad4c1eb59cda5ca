// The fuzz corpus's seeds and the mutations that make a case of one.
#include "bench/fuzz_cases.h"
#include "bench/config_files.h"
#include <windows.h>
#include <algorithm>
#include <cstring>

namespace {

const char *const TOKENS[] = {
    "<", ">", "/>", "</", "</CONFIG>", "<CONFIG>", "<StartTime>", "</StartTime>", "<CalcMethod>",
    "</CalcMethod>", "&", "&amp;", "&#", "&#x", ";", "<!--", "-->", "<?xml ", "?>", "<![CDATA[", "]]>",
    "'", "\"", "=", " encoding='GBK'", "\xEF\xBB\xBF", "\xFF\xFE", "\xD6\xD0", "\x01", "\r\n",
    "<!DOCTYPE [", "]",
};

// Pieces a user or a broken card might leave in a date or a method.
const char VALUE_CHARS[] = "0123456789-/.: +\t";

size_t FindValue(const std::string &str, BenchRandom *pRandom, size_t *pcch)
{
    static const char *const OPEN[] = { "<StartTime>", "<CalcMethod>" };
    const char *pszOpen = OPEN[pRandom->Below(2)];
    size_t nAt = str.find(pszOpen);
    if (nAt == std::string::npos)
        return std::string::npos;
    nAt += strlen(pszOpen);
    size_t nEnd = str.find('<', nAt);
    *pcch = (nEnd == std::string::npos ? str.size() : nEnd) - nAt;
    return nAt;
}

void MutateOnce(std::string *pstr, BenchRandom *pRandom)
{
    std::string &str = *pstr;
    size_t nAt = pRandom->Below(str.size() + 1);
    switch (pRandom->Below(9))
    {
    case 0:     // bit flips
    {
        int nFlips = 1 + (int)pRandom->Below(4);
        for (int i = 0; i < nFlips && !str.empty(); i++)
            str[pRandom->Below(str.size())] ^= (char)(1 << pRandom->Below(8));
        break;
    }
    case 1:     // truncation, as a pulled battery leaves a file
        str.resize(nAt);
        break;
    case 2:     // a span duplicated
    {
        size_t nFrom = pRandom->Below(str.size() + 1);
        str.insert(nAt, str.substr(nFrom, pRandom->Below(32)));
        break;
    }
    case 3:     // two spans swapped
    {
        if (str.size() < 4)
            break;
        size_t cch = 1 + pRandom->Below(std::min<size_t>(16, str.size() / 2));
        size_t nA = pRandom->Below(str.size() - cch + 1);
        size_t nB = pRandom->Below(str.size() - cch + 1);
        std::string strA = str.substr(nA, cch), strB = str.substr(nB, cch);
        if (nA + cch <= nB || nB + cch <= nA)
        {
            str.replace(nA, cch, strB);
            str.replace(nB, cch, strA);
        }
        break;
    }
    case 4:     // a long run of one byte
    {
        static const char RUN[] = { 'a', '9', '<', '&', '-', ' ', '\xD6', '\0' };
        size_t cch = 64 + pRandom->Below(8192);
        str.insert(nAt, cch, RUN[pRandom->Below(sizeof(RUN))]);
        break;
    }
    case 5:     // random digits and separators in a value
    case 6:
    {
        size_t cchValue = 0;
        size_t nValue = FindValue(str, pRandom, &cchValue);
        if (nValue == std::string::npos)
            break;
        std::string strNew;
        size_t cchNew = pRandom->Below(24);
        for (size_t i = 0; i < cchNew; i++)
            strNew += VALUE_CHARS[pRandom->Below(sizeof(VALUE_CHARS) - 1)];
        if (pRandom->Below(4) == 0)
            strNew = std::to_string((int)pRandom->Next()) + "-" + std::to_string((int)pRandom->Next() % 40)
                   + "-" + std::to_string((int)pRandom->Next() % 40);
        str.replace(nValue, cchValue, strNew);
        break;
    }
    case 7:     // a markup token
        str.insert(nAt, TOKENS[pRandom->Below(ARRAYSIZE(TOKENS))]);
        break;
    default:    // a span removed
        str.erase(nAt, pRandom->Below(12));
        break;
    }
}

}  // namespace

const std::vector<std::string> &FuzzSeeds()
{
    static const std::vector<std::string> seeds = {
        ConfigFile("2009-7-5", "2"),
        ConfigFile("2010-1-1", "1"),
        ConfigFile("2009-12-31", NULL),
        ConfigFile(NULL, NULL),
        "<?xml version='1.0' encoding='GB2312'?>\r\n<!-- \xD6\xD0\xCE\xC4 -->\r\n<CONFIG>\r\n\t<StartTime>2009-7-5"
        "</StartTime>\r\n\t<CalcMethod>1</CalcMethod>\r\n</CONFIG>\r\n",
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<CONFIG><StartTime>2011-2-28</StartTime>"
        "<CalcMethod>2</CalcMethod></CONFIG>\r\n",
        // Edited by hand: more than the two values, all of which a save must keep.
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<!-- \xC9\xE8\xD6\xC3 -->\r\n<CONFIG version=\"1\" owner='\xD5\xC5'>"
        "\r\n\t<LastStartTime>2008-3-1</LastStartTime>\r\n\t<StartTime at=\"x\">2009-11-20</StartTime>\r\n\t<!-- 280 -->"
        "\r\n\t<CalcMethod>2</CalcMethod>\r\n\t<Note lang=\"zh\">a &amp; b<![CDATA[<i>]]>&#x4E2D;</Note>\r\n</CONFIG>\r\n",
    };
    return seeds;
}

std::string FuzzCase(unsigned int nSeed, int nIndex)
{
    BenchRandom random(nSeed ^ ((unsigned int)nIndex * 2654435761u));
    random.Next();
    const std::vector<std::string> &seeds = FuzzSeeds();
    std::string str = seeds[random.Below(seeds.size())];
    int nEdits = 1 + (int)random.Below(4);
    for (int i = 0; i < nEdits; i++)
        MutateOnce(&str, &random);
    return str;
}
