#pragma once
// One mutated settings file through the main program's whole path: start-up, the rebuild of
// its texts and a settings save, with what each step must keep.
#include <windows.h>
#include <string>

class MainHarness;

// What a path case adds to, in this order among a fuzz run's counts. The first five are faults;
// the others say how much of the path the cases reached.
enum PathCount
{
    PATH_ORIGINAL_LOST,     // after start-up the bytes are neither config.xml nor config.xml.bak
    PATH_OTHERS_LOST,       // a file start-up kept lost or changed more in the save than the two values
    PATH_SAVE_FAILED,       // SaveSettings did not succeed
    PATH_VALUES_WRONG,      // the saved file does not parse or does not give the date and method chosen
    PATH_DISAGREEMENT,      // the item's line and Main's status say different things of the day
    PATH_KEPT,              // start-up kept the file as it was
    PATH_DATED,             // Main's status showed a day rather than its prompt
    PATH_STARTUP_MESSAGES,  // start-up told the user it could not go on
    PATH_COUNT_KINDS
};
extern const char *const PATH_COUNT_NAMES[PATH_COUNT_KINDS];
const int PATH_FAULT_KINDS = PATH_KEPT;

// Runs fuzz case nIndex through pMain, which has a folder of its own, and adds what it found to
// pnCounts. strItemState is the Today item's day state for the same file (ItemFuzzStates).
// Returns the microseconds of the texts' rebuild alone.
double RunPathCase(MainHarness *pMain, int nIndex, const std::string &strItemState, LONG *pnCounts);
