// The main program's text rebuild over damaged settings files, and its saves while the Today
// item reads the file from another process: what the fuzz and concurrent-save runs show, in short.
#include <gtest/gtest.h>
#include "bench/bench_support.h"
#include "bench/concurrent_saves.h"
#include "bench/main_harness.h"

namespace {

const int FUZZ_FILES = 5000;
const int CONCURRENT_SAVES = 100;

}  // namespace

TEST(MainFuzz, DamagedSettingsFilesNeverCrashTheTextRebuild)
{
    MainHarness main;
    ASSERT_TRUE(main.Ready());
    for (int i = 0; i < FUZZ_FILES; i++)
    {
        ASSERT_TRUE(WriteWholeFile(main.ConfigPath(), FuzzCase(FUZZ_SEED, i)));
        main.Rebuild();
        ASSERT_FALSE(main.StatusText().empty()) << "case " << i;
    }
    ASSERT_TRUE(WriteWholeFile(main.ConfigPath(), ConfigFile("2010-1-1", "2")));
    main.Rebuild();
    EXPECT_EQ(L"今天是您怀孕的孕周: 12 周 1 天", main.StatusText());
}

TEST(ConcurrentSaves, AReaderInAnotherProcessSeesOnlyWholeFiles)
{
    ConcurrentResult r = RunConcurrentSaves(CONCURRENT_SAVES);
    ASSERT_TRUE(r.bReaderOk);
    EXPECT_GT(r.nReads, 0);
    EXPECT_EQ(0, r.nSavesFailed);
    EXPECT_EQ(0, r.nTornBytes);
    EXPECT_EQ(0, r.nTornDocument);
    EXPECT_EQ(0, r.nUnopened);
    EXPECT_TRUE(r.bFinalOk);
}
