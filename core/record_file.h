#pragma once
#include <windows.h>

// records.csv: what the mother records (kicks, contractions), one line per event, beside
// config.xml. ASCII, CRLF line ends, a header line "time,event", then lines of the form
// "YYYY-MM-DD HH:MM:SS,event" in local time. The file only ever grows: each event is appended
// as one whole line with one write and flushed before it is shown; nothing earlier is rewritten.
// A reader skips what it cannot parse or does not know, and leaves it in the file.
#define RECORDS_FILE_NAME   L"records.csv"
#define RECORDS_HEADER      "time,event\r\n"
// Only the file's tail is read, so that opening costs the same however old the file is: about a
// year of daily kick counting, more than the days anything shows.
#define RECORDS_TAIL_BYTES  (256 * 1024)

#define RECORD_SECONDS_PER_DAY 86400

// The events the file knows, by the word each line ends in.
enum RecordKind
{
    RECORD_KICK,                // "kick"
    RECORD_CONTRACTION_START,   // "contraction_start"
    RECORD_CONTRACTION_END,     // "contraction_end"
    RECORD_CONTRACTION_UNDO,    // "contraction_undo"
    RECORD_KIND_COUNT
};

// Times are local, in seconds since 2000-01-01 00:00 (so an event's day is nTime / 86400): what
// 32 bits hold, up to the end of RECORD_LAST_YEAR.
#define RECORD_FIRST_YEAR 2000
#define RECORD_LAST_YEAR  2067

struct RecordEvent
{
    int nTime;
    int nKind;
};

// A local date and time as seconds of that count; -1 for a date that does not exist or that
// the count does not reach.
int RecordTimeOf(const SYSTEMTIME &st);
// The date of day nDay of the count.
void RecordDateOfDay(int nDay, int *pnYear, int *pnMonth, int *pnDay);

// The events read, in time order: a clock set back leaves lines out of order in the file, and
// the rules count in the order the events happened. Events of equal time keep the file's order.
class RecordList
{
public:
    RecordList();
    ~RecordList();

    // Adds an event where its time puts it (at the end for one that happens now). FALSE when
    // there is no memory for it.
    BOOL Add(int nTime, int nKind);
    void Clear();
    int GetCount() const { return m_nCount; }
    const RecordEvent *GetEvents() const { return m_pEvents; }

    // Parses cbData bytes of the file's text, appending every whole line that is an event, then
    // puts the list in time order. With bFromLineStart FALSE the text begins inside a line, which
    // is skipped. The last piece is a line only if a line end follows it: the line an append was
    // writing when it was cut short is not an event (yet).
    void ParseText(const char *pData, int cbData, BOOL bFromLineStart);

private:
    RecordList(const RecordList &);
    RecordList &operator=(const RecordList &);
    BOOL Reserve(int nCount);
    void SortByTime();

    RecordEvent *m_pEvents;
    int m_nCount;
    int m_nCapacity;
};

// The record file at one path.
class RecordFile
{
public:
    RecordFile();
    ~RecordFile();

    // records.csv in the folder of pszSibling (config.xml's path). FALSE when it does not fit.
    BOOL SetPathBeside(const WCHAR *pszSibling);
    const WCHAR *GetPath() const { return m_szPath; }

    // Appends the event at st as one whole line and flushes it to storage; the file is made, with
    // its header, when there is none, and a last line without its line end (cut short by a crash)
    // is ended first, in the same write. FALSE when the line is not whole on storage.
    BOOL Append(const SYSTEMTIME &st, int nKind);

    // Reads the events of the file's last RECORDS_TAIL_BYTES into pList (emptied first). A file
    // that is missing or cannot be read gives no events; FALSE then, TRUE when it was read.
    BOOL ReadTail(RecordList *pList);

private:
    WCHAR m_szPath[MAX_PATH];
};
