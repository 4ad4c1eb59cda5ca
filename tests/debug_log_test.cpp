#include <gtest/gtest.h>
#include <regex>
#include <string>
#include "core/debug_log.h"
#include "tests/temp_dir.h"

namespace {

// Log files are UTF-16LE without a byte-order mark; the tests read them as ASCII where they can.
std::wstring ReadLog(const std::wstring &strPath)
{
    std::string strBytes = ReadFileBytes(strPath);
    std::wstring str;
    for (size_t i = 0; i + 1 < strBytes.size(); i += 2)
        str += (wchar_t)((unsigned char)strBytes[i] | ((unsigned char)strBytes[i + 1] << 8));
    return str;
}

std::string Narrow(const std::wstring &str)
{
    std::string s;
    for (wchar_t c : str)
        s += (c < 128) ? (char)c : '?';
    return s;
}

class LogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strPath = m_dir.File(L"ulvo.log");
        ASSERT_TRUE(m_sink.Open(m_strPath.c_str()));
        g_pLogSink = &m_sink;
    }
    void TearDown() override
    {
        g_pLogSink = NULL;
        m_sink.Close();
    }

    TempDir m_dir;
    std::wstring m_strPath;
    LogSink m_sink;
};

const char *const STAMP = "\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}";

} // namespace

TEST(LogDormant, WithoutASinkNothingIsFormatted)
{
    g_pLogSink = NULL;
    // An argument that would fault if it were ever formatted.
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", (const wchar_t *)1);

    LogSink closed;   // installed but without a stream: still dormant
    g_pLogSink = &closed;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", (const wchar_t *)1);
    g_pLogSink = NULL;
}

TEST_F(LogTest, LineCarriesSourceLevelStampAndExpandedMessage)
{
    DebugLog(LOG_SRC_MAIN, LOG_INFO, L"pszTime = %s", L"2009-7-5");
    DebugLog(LOG_SRC_RESOURCE, LOG_DEBUG, L"GetResource LoadLibrary errorcode = %d", 126);
    DebugLog(LOG_SRC_TODAY, LOG_ERROR, L"DrawIconEx errorcode = %d", 1402);

    std::string strBytes = ReadFileBytes(m_strPath);
    ASSERT_GE(strBytes.size(), 2u);
    EXPECT_EQ('[', strBytes[0]);   // no byte-order mark
    EXPECT_EQ(0, strBytes[1]);

    std::string strLog = Narrow(ReadLog(m_strPath));
    std::regex re(std::string("\\[2\\] \\[INFO\\] \\[") + STAMP + "\\] pszTime = 2009-7-5 \r\n"
                  "\\[0\\] \\[DEBUG\\] \\[" + STAMP + "\\] GetResource LoadLibrary errorcode = 126 \r\n"
                  "\\[1\\] \\[ERROR\\] \\[" + STAMP + "\\] DrawIconEx errorcode = 1402 \r\n");
    EXPECT_TRUE(std::regex_match(strLog, re)) << strLog;
}

TEST_F(LogTest, ChineseTextIsWrittenAsUtf16)
{
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", L"今天是您的预产期!");
    std::wstring strLog = ReadLog(m_strPath);
    EXPECT_NE(std::wstring::npos, strLog.find(L"] g_szShowTxt = 今天是您的预产期! \r\n"));
}

TEST_F(LogTest, ArgumentsAreExpandedAfterTheHeaderIsInPlace)
{
    // A percent sign in the argument must come out as it is: it is never a format.
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"%s = %d", L"100%s", 7);
    std::string strLog = Narrow(ReadLog(m_strPath));
    EXPECT_TRUE(std::regex_match(strLog, std::regex(std::string("\\[1\\] \\[INFO\\] \\[") + STAMP + "\\] 100%s = 7 \r\n")))
        << strLog;
}

TEST_F(LogTest, LongLineIsCutAt511Units)
{
    std::wstring strLong(2000, L'x');
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"g_szShowTxt = %s", strLong.c_str());
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"next");
    std::wstring strLog = ReadLog(m_strPath);
    size_t nNext = strLog.find(L"[1] [INFO]", 1);
    ASSERT_NE(std::wstring::npos, nNext);
    EXPECT_EQ(511u, nNext);
    EXPECT_EQ(L'x', strLog[510]);   // cut inside the message: its line end is lost
}

TEST_F(LogTest, FileOverOneMebibyteStartsAgainEmpty)
{
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"first");
    size_t nLine = ReadFileBytes(m_strPath).size();
    m_sink.Close();

    // Fill so that one more line ends exactly on the limit: that file stays.
    std::string strFill(1048576 - 2 * nLine, 'a');
    ASSERT_TRUE(WriteFileBytes(m_strPath, std::string(ReadFileBytes(m_strPath)) + strFill));
    ASSERT_TRUE(m_sink.Open(m_strPath.c_str()));
    g_pLogSink = &m_sink;
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"first");
    EXPECT_EQ(1048576u, ReadFileBytes(m_strPath).size());

    // One more byte over: the file is deleted and begins empty, taking this line with it.
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"over");
    EXPECT_EQ(0u, ReadFileBytes(m_strPath).size());
    DebugLog(LOG_SRC_TODAY, LOG_INFO, L"fresh");
    std::string strLog = Narrow(ReadLog(m_strPath));
    EXPECT_TRUE(std::regex_match(strLog, std::regex(std::string("\\[1\\] \\[INFO\\] \\[") + STAMP + "\\] fresh \r\n")))
        << strLog;
}
