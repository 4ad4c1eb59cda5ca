// The Today item over a long life in the shell's process, and over damaged settings files: what a
// soak and a fuzz run show, in short (a leak or a crash shows early; the bench runs the long ones).
#include <gtest/gtest.h>
#include "bench/config_files.h"
#include "bench/fuzz_cases.h"
#include "bench/item_harness.h"
#include "bench/process_counters.h"
#include "today/status_line.h"

static const std::wstring LINE = L"今天是您怀孕的孕周: 12 周 1 天\n 更多详情请点击查看";

// Refreshes, repaints and the shell making the item again: nothing grows, and the class object
// the item's documents come from goes with its window.
TEST(ItemSoak, RefreshesPaintsAndRebuildsLeaveNoObjectHandleOrClassObjectBehind)
{
    ItemHarness item;
    LONG nHeld = 0;
    for (int i = 0; i < 100; i++)   // what is made once, on first use, is made by now
        i % 3 == 0 ? item.RefreshCycle() : i % 3 == 1 ? item.PaintCycle() : item.RecreateCycle(&nHeld);
    ProcessCounters before = ReadProcessCounters();
    LONG nReferences = DomClassObjectReferences();
    int nHeldWithoutWindow = 0;
    for (int i = 0; i < 400; i++)
    {
        if (i % 10 == 9)
        {
            item.RecreateCycle(&nHeld);
            nHeldWithoutWindow += nHeld != 0;
        }
        else
            i % 5 ? item.RefreshCycle() : item.PaintCycle();
    }
    ProcessCounters after = ReadProcessCounters();
    // Counted at all: the item's window, its icon, the Today window; the server loaded.
    EXPECT_TRUE(before.dwUserObjects >= 3 && before.dwHandles > 0 && nReferences >= 0);
    EXPECT_EQ(before.dwGdiObjects, after.dwGdiObjects);
    EXPECT_EQ(before.dwUserObjects, after.dwUserObjects);
    EXPECT_EQ(before.dwHandles, after.dwHandles);
    EXPECT_EQ(nReferences, DomClassObjectReferences());
    EXPECT_EQ(0, nHeldWithoutWindow);
    EXPECT_EQ(LINE, item.Line());
}

// Whatever a damaged file held, the item shows its prompt or one of its own lines, and a good file
// afterwards reads as ever.
TEST(ItemFuzz, DamagedSettingsFilesNeverCrashAndLeaveAKnownLine)
{
    ItemHarness item;
    for (int i = 0; i < 500; i++)
    {
        item.UseConfig(FuzzCase(FUZZ_SEED, i));
        CalculatePragnantTime();
        std::wstring strLine = item.Line();
        ASSERT_TRUE(strLine.find(L"\n 更多详情请点击查看") != strLine.npos || strLine == L"请单击此处，设置您的预产期") << "case " << i;
    }
    item.UseConfig(ConfigFile("2010-1-1", "2"));
    EXPECT_TRUE(CalculatePragnantTime());
    EXPECT_EQ(LINE, item.Line());
}
