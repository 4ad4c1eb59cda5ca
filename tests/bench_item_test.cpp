// The Today item over a long life in the shell's process, and over damaged settings files:
// what a soak and a fuzz run show, in short.
#include <gtest/gtest.h>
#include "bench/bench_support.h"
#include "bench/item_harness.h"
#include "today/status_line.h"

namespace {

const int SOAK_CYCLES = 5000;
const int SOAK_PAINTS = 500;
const int FUZZ_FILES = 5000;

const std::wstring LINE = L"今天是您怀孕的孕周: 12 周 1 天\n 更多详情请点击查看";

}  // namespace

TEST(ItemSoak, RefreshesAndPaintsLeaveNoObjectOrHandleBehind)
{
    ItemHarness item;
    for (int i = 0; i < 100; i++)
    {
        item.RefreshCycle();
        item.PaintCycle();
    }
    ProcessCounters before = ReadProcessCounters();
    for (int i = 0; i < SOAK_CYCLES; i++)
        item.RefreshCycle();
    for (int i = 0; i < SOAK_PAINTS; i++)
        item.PaintCycle();
    ProcessCounters after = ReadProcessCounters();

    // Counted at all: the item's window, its icon, the Today window.
    EXPECT_GE(before.dwUserObjects, 3u);
    EXPECT_GT(before.dwHandles, 0u);
    EXPECT_EQ(before.dwGdiObjects, after.dwGdiObjects);
    EXPECT_EQ(before.dwUserObjects, after.dwUserObjects);
    EXPECT_EQ(before.dwHandles, after.dwHandles);
    EXPECT_EQ(LINE, item.Line());
}

TEST(ItemFuzz, DamagedSettingsFilesNeverCrashAndLeaveAKnownLine)
{
    ItemHarness item;
    for (int i = 0; i < FUZZ_FILES; i++)
    {
        item.UseConfig(FuzzCase(FUZZ_SEED, i));
        CalculatePragnantTime();
        std::wstring strLine = item.Line();
        // Whatever the file held, the item shows its prompt or one of its own lines.
        ASSERT_TRUE(strLine.find(L"\n 更多详情请点击查看") != std::wstring::npos
                    || strLine == L"请单击此处，设置您的预产期") << "case " << i;
    }
    // And a good file afterwards is read as ever.
    item.UseConfig(ConfigFile("2010-1-1", "2"));
    EXPECT_TRUE(CalculatePragnantTime());
    EXPECT_EQ(LINE, item.Line());
}
