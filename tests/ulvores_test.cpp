// UlvoRes.dll as the programs see it: loaded by name from beside them, strings, pictures and
// the icon looked up by the identifiers in resources/ulvores_ids.h.
#include <windows.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "resources/ulvores_ids.h"
#include "temp_dir.h"

namespace
{

// The programs load the library beside themselves; so does this test.
std::wstring ResLibraryPath()
{
    wchar_t szPath[MAX_PATH] = {0};
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    wchar_t *pszSlash = wcsrchr(szPath, L'\\');
    std::wstring strDir = pszSlash ? std::wstring(szPath, pszSlash + 1) : std::wstring();
    return strDir + L"UlvoRes.dll";
}

class ResLibrary
{
public:
    ResLibrary() : m_hModule(LoadLibraryW(ResLibraryPath().c_str())) {}
    ~ResLibrary() { if (m_hModule) FreeLibrary(m_hModule); }
    HMODULE Handle() const { return m_hModule; }

private:
    HMODULE m_hModule;
};

// The whole string resource, as LoadResString hands it out (1024-unit buffer).
std::wstring LoadText(HMODULE hModule, UINT nId)
{
    wchar_t szText[1024] = {0};
    int nLen = LoadStringW(hModule, nId, szText, 1024);
    return std::wstring(szText, nLen > 0 ? nLen : 0);
}

bool HasChinese(const std::wstring &strText)
{
    for (wchar_t ch : strText)
        if (ch >= 0x4E00 && ch <= 0x9FFF)
            return true;
    return false;
}

std::string Narrow(const std::wstring &strText)
{
    char szText[4096] = {0};
    WideCharToMultiByte(CP_UTF8, 0, strText.c_str(), -1, szText, sizeof(szText) - 1, NULL, NULL);
    return szText;
}

// The bytes of one picture, as SHLoadImageResource finds them.
std::string PictureBytes(HMODULE hModule, UINT nId)
{
    HRSRC hRes = FindResourceW(hModule, MAKEINTRESOURCEW(nId), ULVO_PICTURE_TYPE);
    if (!hRes)
        return std::string();
    DWORD cbRes = SizeofResource(hModule, hRes);
    HGLOBAL hData = LoadResource(hModule, hRes);
    const char *pData = hData ? (const char *)LockResource(hData) : NULL;
    return pData ? std::string(pData, cbRes) : std::string();
}

template <class T> T ReadAt(const std::string &strBytes, size_t nOffset)
{
    T value;
    memset(&value, 0, sizeof(value));
    if (nOffset + sizeof(T) <= strBytes.size())
        memcpy(&value, strBytes.data() + nOffset, sizeof(T));
    return value;
}

} // namespace

TEST(ResLibraryFile, LoadsByPathAndRunsNoCode)
{
    std::string strDll = ReadFileBytes(ResLibraryPath());
    ASSERT_GT(strDll.size(), 64u);
    LONG nPe = ReadAt<LONG>(strDll, 0x3C);
    ASSERT_EQ(IMAGE_NT_SIGNATURE, ReadAt<DWORD>(strDll, nPe));
    IMAGE_NT_HEADERS32 nt = ReadAt<IMAGE_NT_HEADERS32>(strDll, nPe);
    EXPECT_TRUE(nt.FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(0u, nt.OptionalHeader.AddressOfEntryPoint) << "a resource library needs no entry point";

    // No import descriptor: the first one (if the directory exists at all) is the null terminator.
    const IMAGE_DATA_DIRECTORY &imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress && imports.Size)
    {
        ResLibrary lib;
        ASSERT_NE(nullptr, lib.Handle());
        const IMAGE_IMPORT_DESCRIPTOR *pFirst = (const IMAGE_IMPORT_DESCRIPTOR *)
            ((const BYTE *)lib.Handle() + imports.VirtualAddress);
        EXPECT_EQ(0u, pFirst->Name) << "UlvoRes.dll imports a DLL";
        EXPECT_EQ(0u, pFirst->FirstThunk);
    }

    ResLibrary lib;
    EXPECT_NE(nullptr, lib.Handle()) << "LoadLibraryW error " << GetLastError();
}

TEST(WeekAdvice, EveryWeekReadsAsChineseAdviceOfAScreenOrTwo)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    for (UINT nId = IDS_ADVICE_FIRST; nId <= IDS_ADVICE_LAST; ++nId)
    {
        std::wstring strText = LoadText(lib.Handle(), nId);
        SCOPED_TRACE(testing::Message() << "string " << nId << ": " << Narrow(strText));
        EXPECT_GE(strText.size(), 80u);
        EXPECT_LE(strText.size(), 300u);
        EXPECT_TRUE(HasChinese(strText));
        // A doubled quote or a stray backslash means the script's escaping went wrong.
        EXPECT_EQ(std::wstring::npos, strText.find(L"\"\""));
        EXPECT_EQ(std::wstring::npos, strText.find(L'\\'));
    }
}

TEST(WeekAdvice, EachTextTalksAboutTheWeekItIsShownFor)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    // Weeks 0 and 1 share the first text; week w from 2 on has its own.
    EXPECT_EQ(0u, LoadText(lib.Handle(), IDS_ADVICE_FIRST).find(L"孕0～1周："));
    for (UINT nWeek = 2; nWeek <= ULVO_ADVICE_LAST_WEEK; ++nWeek)
    {
        wchar_t szHead[16];
        _snwprintf(szHead, ARRAYSIZE(szHead) - 1, L"孕%u周：", nWeek);
        szHead[ARRAYSIZE(szHead) - 1] = L'\0';
        std::wstring strText = LoadText(lib.Handle(), IDS_ADVICE_FIRST - 1 + nWeek);
        EXPECT_EQ(0u, strText.find(szHead)) << "week " << nWeek << ": " << Narrow(strText);
    }
}

TEST(WeekAdvice, LateWeeksTellWhenToGoToHospital)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    // From week 28 on the mother counts movements; every text must say fewer is urgent.
    for (UINT nWeek = 28; nWeek <= ULVO_ADVICE_LAST_WEEK; ++nWeek)
    {
        std::wstring strText = LoadText(lib.Handle(), IDS_ADVICE_FIRST - 1 + nWeek);
        EXPECT_NE(std::wstring::npos, strText.find(L"胎动")) << "week " << nWeek;
        EXPECT_TRUE(strText.find(L"立即") != std::wstring::npos || strText.find(L"马上") != std::wstring::npos)
            << "week " << nWeek;
    }
}

TEST(WeekAdvice, NoTextOutsideTheWeekRange)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    EXPECT_EQ(L"", LoadText(lib.Handle(), IDS_ADVICE_FIRST - 1));
    EXPECT_EQ(L"", LoadText(lib.Handle(), IDS_ADVICE_LAST + 1));
}

// What the pictures look like once decoded is the resource library test's; here, that the
// device's loader gets GIF files, a different one for each month.
TEST(MonthPicture, EachMonthIsItsOwnGifFile)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    std::vector<std::string> pictures;
    for (UINT nId = IDB_MONTH_FIRST; nId <= IDB_MONTH_LAST; ++nId)
    {
        SCOPED_TRACE(testing::Message() << "picture " << nId);
        std::string strGif = PictureBytes(lib.Handle(), nId);
        EXPECT_TRUE(strGif.compare(0, 6, "GIF89a") == 0 || strGif.compare(0, 6, "GIF87a") == 0)
            << strGif.substr(0, 6);
        EXPECT_EQ(';', strGif.empty() ? 0 : strGif.back()) << "the file's trailer is missing";
        for (size_t i = 0; i < pictures.size(); ++i)
            EXPECT_TRUE(pictures[i] != strGif) << "same picture as " << IDB_MONTH_FIRST + i;
        pictures.push_back(strGif);
    }
}

TEST(MonthPicture, NoPictureOutsideTheMonthRange)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());
    EXPECT_EQ("", PictureBytes(lib.Handle(), IDB_MONTH_FIRST - 1));
    EXPECT_EQ("", PictureBytes(lib.Handle(), IDB_MONTH_LAST + 1));
}

TEST(TodayIcon, HoldsDrawnImagesAtSixteenAndThirtyTwoPixels)
{
    ResLibrary lib;
    ASSERT_NE(nullptr, lib.Handle());

    // The group directory lists the images drawn for each size (not scaled from another).
    HRSRC hGroup = FindResourceW(lib.Handle(), MAKEINTRESOURCEW(IDI_TODAY_ITEM), RT_GROUP_ICON);
    ASSERT_NE(nullptr, hGroup);
    const BYTE *pDir = (const BYTE *)LockResource(LoadResource(lib.Handle(), hGroup));
    ASSERT_NE(nullptr, pDir);
    WORD nCount = *(const WORD *)(pDir + 4);
    bool bHas16 = false, bHas32 = false;
    for (WORD i = 0; i < nCount; ++i)
    {
        const BYTE *pEntry = pDir + 6 + 14 * i;     // GRPICONDIRENTRY, packed
        bHas16 = bHas16 || (pEntry[0] == 16 && pEntry[1] == 16);
        bHas32 = bHas32 || (pEntry[0] == 32 && pEntry[1] == 32);
    }
    EXPECT_TRUE(bHas16);
    EXPECT_TRUE(bHas32);

    for (int nSize : {16, 32})
    {
        HICON hIcon = (HICON)LoadImageW(lib.Handle(), MAKEINTRESOURCEW(IDI_TODAY_ITEM), IMAGE_ICON,
                                        nSize, nSize, 0);
        ASSERT_NE(nullptr, hIcon) << nSize;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(hIcon, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(nSize, bm.bmWidth);
        EXPECT_EQ(nSize, bm.bmHeight);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(hIcon);
    }
}
