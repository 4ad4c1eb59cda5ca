#include "main/record_store.h"
#include "core/today_clock.h"
#include "main/main_globals.h"

RecordFile g_RecordFile;

void OpenRecords(RecordList *pList)
{
    g_RecordFile.SetPathBeside(g_szXMLFilePath);
    g_RecordFile.ReadTail(pList);
}

void GetRecordNow(SYSTEMTIME *pst)
{
    g_pfnGetToday(pst);
    pst->wMilliseconds = 0;
}

int RecordNow()
{
    SYSTEMTIME st;
    GetRecordNow(&st);
    return RecordTimeOf(st);
}

BOOL RecordEventNow(int nKind, RecordList *pList)
{
    SYSTEMTIME st;
    GetRecordNow(&st);
    if (!g_RecordFile.Append(st, nKind))
        return FALSE;
    // On storage it is; were there no memory to show it, the next opening reads it.
    pList->Add(RecordTimeOf(st), nKind);
    return TRUE;
}
