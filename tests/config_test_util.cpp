#include "tests/config_test_util.h"

const char DEVICE_CONFIG_FILE[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
    "<CONFIG><StartTime>2009-7-5</StartTime><CalcMethod>2</CalcMethod></CONFIG>\r\n";

std::wstring ReadChild(const std::wstring &strPath, const wchar_t *pszChild, HRESULT *phrLoad, HRESULT *phrRead)
{
    ConfigDocument config;
    std::wstring strValue = L"<none>";
    HRESULT hrInit = config.InitXMLDOMDocument();
    EXPECT_EQ(S_OK, hrInit);
    HRESULT hrLoad = config.LoadXMLFile(strPath.c_str());
    WCHAR *pszText = NULL;
    HRESULT hrRead = config.GetChildText(CONFIG_ROOT, pszChild, &pszText);
    if (pszText)
        strValue = pszText;
    config.FreeText(pszText);
    config.ReleaseXMLDOMDocument();
    if (phrLoad)
        *phrLoad = hrLoad;
    if (phrRead)
        *phrRead = hrRead;
    return strValue;
}

std::vector<std::wstring> ListDir(const std::wstring &strDir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strDir + L"\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        std::wstring strName = fd.cFileName;
        if (strName != L"." && strName != L"..")
            names.push_back(strName);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    return names;
}

std::string Utf16LeWithBom(const std::string &strUtf8)
{
    std::wstring strWide(strUtf8.size(), L'\0');
    int cch = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), (int)strUtf8.size(), &strWide[0], (int)strWide.size());
    strWide.resize(cch > 0 ? cch : 0);
    std::string strBytes("\xFF\xFE", 2);
    for (wchar_t ch : strWide)
    {
        strBytes.push_back((char)(ch & 0xFF));
        strBytes.push_back((char)(ch >> 8));
    }
    return strBytes;
}

void ConfigTest::SetUp()
{
    ASSERT_EQ(S_OK, CoInitializeEx(NULL, COINIT_MULTITHREADED));
    ASSERT_TRUE(DomServerModule()) << "no XML DOM server registered";
    ASSERT_TRUE(InstallBstrCounter(GetModuleHandleW(NULL)));
    ASSERT_TRUE(InstallBstrCounter(DomServerModule()));
    m_strPath = m_dir.File(L"config.xml");
    m_nObjectsBefore = DomLiveObjects();
    m_nBstrsBefore = LiveBstrCount();
}

void ConfigTest::TearDown()
{
    g_pfnReplaceConfigFile = ReplaceConfigFile;
    EXPECT_EQ(m_nObjectsBefore, DomLiveObjects()) << "DOM nodes or lists not released";
    EXPECT_EQ(m_nBstrsBefore, LiveBstrCount()) << "component strings not freed";
    CoUninitialize();
}
