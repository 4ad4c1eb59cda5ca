#pragma once
#include <windows.h>

// Reading and storing the two settings of config.xml for the settings dialog, and telling
// the Today item that they changed. Each operation opens the document, works and releases
// it again: the file is the only place the settings live.

// SaveSettings results; the dialog shows one fixed message for each failure.
#define SAVE_SETTINGS_OK            0
#define SAVE_SETTINGS_NO_DATE       (-1)    // the calendar's selection could not be read
#define SAVE_SETTINGS_START_TIME    (-2)    // StartTime could not be stored or saved
#define SAVE_SETTINGS_CALC_METHOD   (-3)    // CalcMethod could not be stored or saved
#define SAVE_SETTINGS_NO_DOCUMENT   (-4)    // config.xml could not be opened

// The stored method: 1 for "1", 2 for "2", 0 when missing, unreadable or anything else.
int GetCalcMethod();

// The stored start date, when StartTime holds a date the pages and the item count from.
BOOL GetStoredStartDate(SYSTEMTIME *pst);

// Today's day of the pregnancy (0 on the start date) when a date in progress is stored; -1
// without one.
int GetStoredPregnancyDay();

// Whether the dialog opens on the 365-day method: what the pages count with when a date is
// stored, 365 days for a new user.
BOOL IsPreselected365();

// Stores the settings dialog's calendar date and method in one replace of the file; one of
// the SAVE_SETTINGS_ codes.
int SaveSettings();

// Stores a start date with the 280-day method ("2") in one replace of the file, as SaveSettings
// does; one of the SAVE_SETTINGS_ codes, never SAVE_SETTINGS_NO_DATE.
int SaveStartDate280(const SYSTEMTIME &stStart);

// Asks the Today item, if one is showing, to recompute its line now.
void NotifyTodayItem();
