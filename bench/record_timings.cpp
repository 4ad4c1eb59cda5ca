#include "bench/record_timings.h"
#include "bench/config_files.h"
#include "bench/files_and_folders.h"
#include "bench/main_harness.h"
#include "bench/timing.h"
#include "main/dialogs.h"
#include "main/main_globals.h"
#include "resources/main_ids.h"
#include <cstdio>
#include <vector>

const RecordDialogKind KICK_DIALOG = { IDD_KICKS, KickDlgProc, IDC_KICK_TAP };
const RecordDialogKind CONTRACTION_DIALOG = { IDD_CONTRACTIONS, ContractionDlgProc, IDC_CONTRACTION_TAP };

namespace {

const int TAPS_PER_DAY = 36;
const int WARM_UP = 5;

std::wstring RecordsPath(MainHarness *pMain)
{
    std::wstring strConfig = pMain->ConfigPath();
    return strConfig.substr(0, strConfig.rfind(L'\\') + 1) + L"records.csv";
}

// The date nDay days before the day before the pinned one.
SYSTEMTIME DaysBack(int nDay)
{
    const SYSTEMTIME stDayBefore = { 2010, 3, 0, 26, 0, 0, 0, 0 };
    return DaysBefore(stDayBefore, nDay);
}

// Tap i of the history, counted back from the last one before the pinned day: three hours a day
// of a tap every 5 minutes, on as many days as it takes.
void AppendKick(std::string *pstr, int i)
{
    int nTap = i % TAPS_PER_DAY;
    SYSTEMTIME st = DaysBack(i / TAPS_PER_DAY);
    char szLine[64];
    snprintf(szLine, sizeof(szLine), "%04d-%02d-%02d %02d:%02d:00,kick\r\n", st.wYear, st.wMonth, st.wDay,
             8 + 4 * (nTap / 12), nTap % 12 * 5);
    *pstr += szLine;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

}  // namespace

std::string KickRecords(int nTaps)
{
    std::string str = "time,event\r\n";
    for (int i = nTaps - 1; i >= 0; i--)
        AppendKick(&str, i);
    return str;
}

std::string KickRecordsOfSize(size_t cbTotal)
{
    std::string str = "time,event\r\n";
    std::string strTail;
    for (int i = 0; str.size() + strTail.size() < cbTotal; i++)
        AppendKick(&strTail, i);
    // Newest last, as the file grows.
    std::vector<std::string> lines;
    for (size_t n = 0; n < strTail.size();)
    {
        size_t nEnd = strTail.find('\n', n) + 1;
        lines.push_back(strTail.substr(n, nEnd - n));
        n = nEnd;
    }
    for (size_t i = lines.size(); i-- > 0;)
        str += lines[i];
    return str;
}

std::string ContractionRecords(int nEvents)
{
    std::string str = "time,event\r\n";
    // A night of labour a day, a contraction every 5 minutes lasting a minute: 24 an hour.
    const int EVENTS_PER_DAY = 240;
    for (int i = nEvents - 1; i >= 0; i--)
    {
        int nEvent = EVENTS_PER_DAY - 1 - i % EVENTS_PER_DAY, nMinute = nEvent / 2 * 5 + nEvent % 2;
        SYSTEMTIME st = DaysBack(i / EVENTS_PER_DAY);
        char szLine[64];
        snprintf(szLine, sizeof(szLine), "%04d-%02d-%02d %02d:%02d:00,%s\r\n", st.wYear, st.wMonth, st.wDay,
                 10 + nMinute / 60, nMinute % 60, nEvent % 2 ? "contraction_end" : "contraction_start");
        str += szLine;
    }
    return str;
}

HWND OpenRecordDialog(const RecordDialogKind &kind)
{
    HWND hDlg = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(kind.nTemplate), NULL, kind.pfnProc, 0);
    ShowWindow(hDlg, SW_SHOW);
    UpdateWindow(hDlg);
    return hDlg;
}

double TimeTaps(MainHarness *pMain, const RecordDialogKind &kind, const std::string &strRecords, int nTaps)
{
    WriteWholeFile(RecordsPath(pMain), strRecords);
    HWND hDlg = OpenRecordDialog(kind);
    std::vector<double> times;
    for (int i = 0; i < nTaps + WARM_UP; i++)
    {
        double dStart = NowMicroseconds();
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(kind.nButtonId, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, kind.nButtonId));
        UpdateWindow(hDlg);
        double dUs = NowMicroseconds() - dStart;
        if (i >= WARM_UP)
            times.push_back(dUs);
        Pump();
    }
    DestroyWindow(hDlg);
    return Median(times);
}

double TimeOpens(MainHarness *pMain, const RecordDialogKind &kind, const std::string &strRecords, int nOpens)
{
    WriteWholeFile(RecordsPath(pMain), strRecords);
    std::vector<double> times;
    for (int i = 0; i < nOpens + WARM_UP; i++)
    {
        double dStart = NowMicroseconds();
        HWND hDlg = OpenRecordDialog(kind);
        double dUs = NowMicroseconds() - dStart;
        if (i >= WARM_UP)
            times.push_back(dUs);
        DestroyWindow(hDlg);
        Pump();
    }
    return Median(times);
}
