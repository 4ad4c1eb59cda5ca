// The main program over damaged settings files, its saves while the Today item reads the file from
// another process, and saves ended at random moments: what the fuzz, concurrent-save and kill runs
// show, in short (the bench runs the long ones).
#include <gtest/gtest.h>
#include "bench/concurrent_saves.h"
#include "bench/day_states.h"
#include "bench/files_and_folders.h"
#include "bench/fuzz_cases.h"
#include "bench/fuzz_runs.h"
#include "bench/killed_saves.h"
#include "bench/killed_taps.h"
#include "bench/main_harness.h"
#include "bench/path_fuzz.h"

// Through start-up, the texts and a save: originals never lost, other content kept, the values
// saved, and the item's line agreeing with the main program's status.
TEST(MainFuzz, DamagedFilesThroughStartUpAndSaveLoseNothingAndAgreeWithTheItem)
{
    const int FILES = 200;
    std::vector<std::string> itemStates;
    ASSERT_TRUE(ItemFuzzStates(0, FILES, &itemStates));
    MainHarness main;
    ASSERT_TRUE(main.Ready());
    LONG anCounts[PATH_COUNT_KINDS] = { 0 };
    for (int i = 0; i < FILES; i++)
    {
        RunPathCase(&main, i, itemStates[i], anCounts);
        for (int k = 0; k < PATH_FAULT_KINDS; k++)
            ASSERT_EQ(0, anCounts[k]) << PATH_COUNT_NAMES[k] << " at case " << i;
        ASSERT_EQ(0, anCounts[PATH_STARTUP_MESSAGES]) << "at case " << i;
    }
    // The checks had something to check: files start-up kept, and days shown as well as prompts.
    EXPECT_GT(anCounts[PATH_KEPT], FILES / 20);
    EXPECT_GT(anCounts[PATH_DATED], FILES / 100);
}

// The watcher itself, on a batch made to fault at one case and never end at another.
TEST(MainFuzz, TheWatcherReportsACrashAndAHangByCaseAndGoesOn)
{
    FuzzRun run = RunFuzzWatched(ExeDir() + L"\\bench_main.exe", L"fuzz-faults", 40, 20, 1500);
    EXPECT_EQ(1, run.nCrashes);
    EXPECT_EQ(1, run.nHangs);
    EXPECT_EQ(std::vector<int>({ FUZZ_CRASH_CASE, FUZZ_HANG_CASE }), run.failedCases);
    EXPECT_EQ(40 - 2, run.nCompleted);
}

TEST(ConcurrentSaves, AReaderInAnotherProcessSeesOnlyWholeFiles)
{
    ConcurrentResult r = RunConcurrentSaves(100);
    ASSERT_TRUE(r.bReaderOk);
    EXPECT_GT(r.nReads, 0);
    EXPECT_EQ(0, r.nSavesFailed + r.nTornBytes + r.nTornDocument + r.nUnopened) << "saves failed " << r.nSavesFailed
        << ", torn bytes " << r.nTornBytes << ", torn documents " << r.nTornDocument << ", unopened " << r.nUnopened
        << " (last error " << r.nUnopenedError << ")";
    EXPECT_TRUE(r.bFinalOk);
}

TEST(KilledSaves, AnEndMidSaveLeavesOnePairWholeAndNoSpareFileAfterTheNextStart)
{
    const int KILLS = 12;
    KilledSavesResult r = RunKilledSaves(KILLS, FUZZ_SEED);
    EXPECT_EQ(0, r.nChildFailed) << "the last ended with " << std::hex << r.dwChildExit;
    EXPECT_EQ(KILLS, r.nOldPair + r.nNewPair);
    EXPECT_EQ(0, r.nTorn + r.nCrowded);
    EXPECT_EQ(0, r.nSparesLeft) << "found beside config.xml: " << r.szLastStray;
}

// Kick and contraction taps ended at random moments: the file only grows, its lines whole but
// perhaps the last, and every tap the screen counted or showed is in it.
TEST(KilledTaps, AnEndMidTapLeavesEveryCountedTapInTheFileAndNothingEarlierChanged)
{
    const int KILLS = 12;
    KilledTapsResult r = RunKilledTaps(KILLS, FUZZ_SEED);
    EXPECT_EQ(0, r.nChildFailed) << "the last ended with " << std::hex << r.dwChildExit;
    EXPECT_EQ(KILLS, r.nKills);
    EXPECT_GE(r.nCounted, KILLS);
    EXPECT_GT(r.nContractionsShown, 0);
    EXPECT_EQ(0, r.nNotWhole + r.nEarlierChanged + r.nCountedMissing) << "not whole " << r.nNotWhole
        << ", earlier bytes changed " << r.nEarlierChanged << ", counted but missing " << r.nCountedMissing;
}
