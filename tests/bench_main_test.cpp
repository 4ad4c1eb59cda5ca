// The main program over damaged settings files, its saves while the Today item reads the file
// from another process, and saves ended at random moments: what the fuzz, concurrent-save and
// kill runs show, in short.
#include <gtest/gtest.h>
#include "bench/bench_support.h"
#include "bench/concurrent_saves.h"
#include "bench/killed_saves.h"
#include "bench/main_harness.h"
#include "bench/path_fuzz.h"

namespace {

const int FUZZ_FILES = 600;
const int CONCURRENT_SAVES = 100;
const int KILLS = 12;

}  // namespace

TEST(MainFuzz, DamagedFilesThroughStartUpAndSaveLoseNothingAndAgreeWithTheItem)
{
    std::vector<std::string> itemStates;
    ASSERT_TRUE(ItemFuzzStates(0, FUZZ_FILES, &itemStates));
    MainHarness main;
    ASSERT_TRUE(main.Ready());
    LONG anCounts[PATH_COUNT_KINDS] = { 0 };
    int anFirst[PATH_COUNT_KINDS];
    for (int &nFirst : anFirst)
        nFirst = -1;
    for (int i = 0; i < FUZZ_FILES; i++)
    {
        LONG anCase[PATH_COUNT_KINDS] = { 0 };
        RunPathCase(&main, i, itemStates[i], anCase);
        for (int k = 0; k < PATH_COUNT_KINDS; k++)
        {
            anCounts[k] += anCase[k];
            if (anCase[k] && anFirst[k] < 0)
                anFirst[k] = i;
        }
    }
    for (int k = 0; k < PATH_FAULT_KINDS; k++)
        EXPECT_EQ(0, anCounts[k]) << PATH_COUNT_NAMES[k] << ", first at case " << anFirst[k];
    EXPECT_EQ(0, anCounts[PATH_STARTUP_MESSAGES]) << "first at case " << anFirst[PATH_STARTUP_MESSAGES];
    // The checks had something to check: files start-up kept, and days shown as well as prompts.
    EXPECT_GT(anCounts[PATH_KEPT], FUZZ_FILES / 20);
    EXPECT_GT(anCounts[PATH_DATED], FUZZ_FILES / 100);
}

// The watcher itself, on a batch made to fault at one case and never end at another.
TEST(MainFuzz, TheWatcherReportsACrashAndAHangByCaseAndGoesOn)
{
    const int CASES = 40;
    const int BATCH = 20;
    const DWORD HANG_MS = 1500;
    FuzzRun run = RunFuzzWatched(ExeDir() + L"\\bench_main.exe", L"fuzz-faults", CASES, BATCH, HANG_MS);
    EXPECT_EQ(1, run.nCrashes);
    EXPECT_EQ(1, run.nHangs);
    EXPECT_EQ(std::vector<int>({ FUZZ_CRASH_CASE, FUZZ_HANG_CASE }), run.failedCases);
    EXPECT_EQ(CASES - 2, run.nCompleted);
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

TEST(KilledSaves, AnEndMidSaveLeavesOnePairWholeAndNoSpareFileAfterTheNextStart)
{
    KilledSavesResult r = RunKilledSaves(KILLS, FUZZ_SEED);
    EXPECT_EQ(0, r.nChildFailed);
    EXPECT_EQ(KILLS, r.nOldPair + r.nNewPair);
    EXPECT_EQ(0, r.nTorn);
    EXPECT_EQ(0, r.nCrowded);
    EXPECT_EQ(0, r.nSparesLeft) << "found beside config.xml: " << r.szLastStray;
}
