#pragma once
// What a tap and an opening of a record dialog cost with records.csv of a given size, in this
// process over MainHarness (today pinned to 2010-03-27 00:00).
#include <windows.h>
#include <string>

class MainHarness;

struct RecordDialogKind
{
    int nTemplate;
    DLGPROC pfnProc;
    int nButtonId;      // the big button a tap presses
};
extern const RecordDialogKind KICK_DIALOG;
extern const RecordDialogKind CONTRACTION_DIALOG;

// records.csv with nTaps kicks on the days before the pinned day, a few dozen a day; and with as
// many as make it cbTotal bytes long.
std::string KickRecords(int nTaps);
std::string KickRecordsOfSize(size_t cbTotal);
// records.csv with nEvents contraction starts and ends in turn on the days before the pinned day.
std::string ContractionRecords(int nEvents);

// The median microseconds of nTaps taps (the append, its flush, the recount and the repaint) in a
// dialog opened over strRecords.
double TimeTaps(MainHarness *pMain, const RecordDialogKind &kind, const std::string &strRecords, int nTaps);
// The median microseconds of nOpens openings over strRecords: the dialog made, the file read, its
// texts set and painted.
double TimeOpens(MainHarness *pMain, const RecordDialogKind &kind, const std::string &strRecords, int nOpens);

// The dialog opened as the main window opens it, without a loop of its own, shown.
HWND OpenRecordDialog(const RecordDialogKind &kind);
