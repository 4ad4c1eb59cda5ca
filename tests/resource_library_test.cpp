#include <gtest/gtest.h>
#include <aygshell.h>
#include <regex>
#include <set>
#include <string>
#include "core/debug_log.h"
#include "core/resource_library.h"
#include "resources/images/month_pictures.h"
#include "resources/ulvores_ids.h"
#include "tests/temp_dir.h"

namespace {

const wchar_t ULVORES_NAME[] = L"UlvoRes.dll";
const int RES_STRING_CCH = 1024;

// UlvoRes.dll beside this test program, as it lies beside the programs that ship.
std::wstring BesideMe(const wchar_t *pszName)
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    std::wstring str = szPath;
    return str.substr(0, str.rfind(L'\\') + 1) + pszName;
}

// Busy blocks of the process heap of the size a resource string takes.
int StringBuffersOnHeap()
{
    HANDLE hHeap = GetProcessHeap();
    PROCESS_HEAP_ENTRY entry = {};
    int nCount = 0;
    HeapLock(hHeap);
    while (HeapWalk(hHeap, &entry))
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && entry.cbData == RES_STRING_CCH * sizeof(wchar_t))
            nCount++;
    HeapUnlock(hHeap);
    return nCount;
}

std::string Narrow(const std::string &strUtf16Le)
{
    std::string s;
    for (size_t i = 0; i + 1 < strUtf16Le.size(); i += 2)
        s += strUtf16Le[i + 1] == 0 && (unsigned char)strUtf16Le[i] < 128 ? strUtf16Le[i] : '?';
    return s;
}

class UlvoResTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_lib.LoadResLibrary(BesideMe(ULVORES_NAME).c_str()));
        ASSERT_TRUE(m_lib.m_hResModule);
    }
    void TearDown() override
    {
        m_lib.FreeResLibrary();
    }
    ResourceLibrary m_lib;
};

} // namespace

TEST_F(UlvoResTest, EveryWeekAdviceLoadsAsItsOwnText)
{
    std::set<std::wstring> texts;
    for (UINT nId = IDS_ADVICE_FIRST; nId <= IDS_ADVICE_LAST; nId++)
    {
        wchar_t *pszText = m_lib.LoadResString(nId);
        ASSERT_TRUE(pszText) << "string " << nId;
        size_t cch = wcslen(pszText);
        EXPECT_GT(cch, 0u) << "string " << nId;
        EXPECT_LT(cch, (size_t)RES_STRING_CCH) << "string " << nId;
        texts.insert(pszText);
        m_lib.FreeText(pszText);
    }
    EXPECT_EQ((size_t)(IDS_ADVICE_LAST - IDS_ADVICE_FIRST + 1), texts.size()) << "two weeks share a text";
}

TEST_F(UlvoResTest, MissingStringGivesNullAndKeepsNothing)
{
    int nBefore = StringBuffersOnHeap();
    for (int i = 0; i < 200; i++)
    {
        EXPECT_EQ(NULL, m_lib.LoadResString(IDS_ADVICE_LAST + 1));
        EXPECT_EQ(NULL, m_lib.LoadResString(9999));
    }
    EXPECT_EQ(nBefore, StringBuffersOnHeap());

    wchar_t *pszText = m_lib.LoadResString(IDS_ADVICE_FIRST);   // a loaded one is the caller's until FreeText
    EXPECT_EQ(nBefore + 1, StringBuffersOnHeap());
    m_lib.FreeText(pszText);
    m_lib.FreeText(NULL);
    EXPECT_EQ(nBefore, StringBuffersOnHeap());
}

// The shell decodes each picture at the size and with the colours ImageMagick reads back from the
// generator's GIF file.
TEST_F(UlvoResTest, EveryMonthPictureDecodesThroughTheShellAsDrawn)
{
    ASSERT_EQ((size_t)(IDB_MONTH_LAST - IDB_MONTH_FIRST + 1), ARRAYSIZE(MONTH_PICTURE_SOURCES));
    HDC hdc = CreateCompatibleDC(NULL);
    for (UINT i = 0; i < ARRAYSIZE(MONTH_PICTURE_SOURCES); i++)
    {
        const MonthPictureSource &source = MONTH_PICTURE_SOURCES[i];
        SCOPED_TRACE(testing::Message() << "picture " << IDB_MONTH_FIRST + i << ", " << source.pszFile);
        HBITMAP hbm = SHLoadImageResource(m_lib.m_hResModule, IDB_MONTH_FIRST + i);
        ASSERT_TRUE(hbm);
        BITMAP bm = {};
        ASSERT_TRUE(GetObjectW(hbm, sizeof(bm), &bm));
        EXPECT_EQ(source.cx, bm.bmWidth);
        EXPECT_EQ(source.cy, bm.bmHeight);
        HGDIOBJ hOld = SelectObject(hdc, hbm);
        for (const MonthPicturePoint &point : source.points)
        {
            COLORREF crDrawn = RGB(point.rgb >> 16, (point.rgb >> 8) & 0xFF, point.rgb & 0xFF);
            EXPECT_EQ(crDrawn, GetPixel(hdc, point.x, point.y)) << "at " << point.x << "," << point.y;
        }
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
    }
    DeleteDC(hdc);
}

TEST_F(UlvoResTest, ItemIconLoadsAtBothSizes)
{
    for (int cx : { 16, 32 })
    {
        HICON hIcon = (HICON)LoadImageW(m_lib.m_hResModule, MAKEINTRESOURCEW(IDI_TODAY_ITEM), IMAGE_ICON, cx, cx, 0);
        ASSERT_TRUE(hIcon) << cx;
        ICONINFO ii = {};
        ASSERT_TRUE(GetIconInfo(hIcon, &ii));
        BITMAP bm = {};
        GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(cx, bm.bmWidth);
        if (ii.hbmColor)
            DeleteObject(ii.hbmColor);
        DeleteObject(ii.hbmMask);
        DestroyIcon(hIcon);
    }
}

TEST(ResourceLibrary, BareNameFindsTheLibraryBesideTheProgram)
{
    ResourceLibrary lib;
    ASSERT_EQ(1, lib.LoadResLibrary(ULVORES_NAME));
    wchar_t *pszText = lib.LoadResString(IDS_ADVICE_FIRST);
    EXPECT_TRUE(pszText);
    lib.FreeText(pszText);
    lib.FreeResLibrary();
    EXPECT_EQ(NULL, lib.m_hResModule);
    lib.FreeResLibrary();   // nothing loaded: nothing to do
    EXPECT_EQ(NULL, lib.m_hResModule);
}

TEST(ResourceLibrary, NullNameChangesNothing)
{
    ResourceLibrary lib;
    EXPECT_EQ(0, lib.LoadResLibrary(NULL));
    EXPECT_EQ(NULL, lib.m_hResModule);

    ASSERT_EQ(1, lib.LoadResLibrary(BesideMe(ULVORES_NAME).c_str()));
    HMODULE hLoaded = lib.m_hResModule;
    EXPECT_EQ(0, lib.LoadResLibrary(NULL));
    EXPECT_EQ(hLoaded, lib.m_hResModule);
    lib.FreeResLibrary();
}

TEST(ResourceLibrary, MissingLibraryLogsOnceAndLeavesNoTexts)
{
    TempDir dir;
    LogSink sink;
    ASSERT_TRUE(sink.Open(dir.File(L"ulvo.log").c_str()));
    g_pLogSink = &sink;

    ResourceLibrary lib;
    ASSERT_EQ(1, lib.LoadResLibrary(BesideMe(ULVORES_NAME).c_str()));   // a library held before
    HMODULE hHeld = lib.m_hResModule;
    EXPECT_EQ(0, lib.LoadResLibrary(dir.File(ULVORES_NAME).c_str()));
    EXPECT_EQ(NULL, lib.m_hResModule);
    EXPECT_EQ(NULL, lib.LoadResString(IDS_ADVICE_FIRST));

    g_pLogSink = NULL;
    sink.Close();
    std::string strLog = Narrow(ReadFileBytes(dir.File(L"ulvo.log")));
    std::regex re("\\[0\\] \\[DEBUG\\] \\[[0-9. :]{19}\\] GetResource LoadLibrary errorcode = 126 \r\n");
    EXPECT_TRUE(std::regex_match(strLog, re)) << strLog;
    FreeLibrary(hHeld);   // the failed load stored over it without unloading it
}
