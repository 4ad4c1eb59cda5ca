#pragma once
// Day states, for setting the item beside the main program on the same file: the text each
// shows read back into one vocabulary, and the item's states for a run of fuzz cases.
#include <string>
#include <vector>

// What the Today item's line and the main program's status say of the day, in one vocabulary
// for comparing them: "prompt", "week W day D", "first day", "due day", "past due"; "?" and the
// text for anything the program does not show.
std::string DayStateOfItemLine(const std::wstring &strLine);
std::string DayStateOfMainStatus(const std::wstring &strStatus);

// The item's day state for fuzz cases [nFirst, nFirst + nCount), one after another in one
// process, from bench_item.exe beside this program. False when it did not report them all.
bool ItemFuzzStates(int nFirst, int nCount, std::vector<std::string> *pStates);
