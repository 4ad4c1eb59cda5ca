#pragma once
#include <windows.h>
#include "core/record_file.h"

// The main program's records.csv, beside its config.xml.
extern RecordFile g_RecordFile;

// Reads the file's tail into pList, for a dialog that opens.
void OpenRecords(RecordList *pList);
// Now on the deliverables' clock, and as a time of the record file.
void GetRecordNow(SYSTEMTIME *pst);
int RecordNow();
// Appends an event of nKind now and, once it is on storage, adds it to pList. FALSE when it
// could not be stored: then nothing changed.
BOOL RecordEventNow(int nKind, RecordList *pList);
