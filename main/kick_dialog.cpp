#include "main/kick_dialog.h"
#include <strsafe.h>
#include "core/kick_rules.h"
#include "main/dialogs.h"
#include "main/record_dialog.h"
#include "main/record_store.h"
#include "resources/main_ids.h"

namespace {

const WCHAR SZ_LEFT_FORMAT[]    = L"本小时还剩 %d:%02d";
const WCHAR SZ_COUNT_FORMAT[]   = L"本次有效胎动 %d 次 (点击 %d 次)";
const WCHAR SZ_IDLE[]           = L"点击“动了一下”开始一小时计数";
const WCHAR SZ_TAP[]            = L"动了一下";
const WCHAR SZ_TODAY_FORMAT[]   = L"今天已数 %d 小时, 有效胎动 %d 次, 12 小时估算 %d 次";
const WCHAR SZ_TODAY_NONE[]     = L"今天还没有数满一小时";
const WCHAR SZ_NORMAL[]         = L"胎动正常";
const WCHAR SZ_FEW[]            = L"胎动偏少, 请再数一小时并留意";
const WCHAR SZ_TOO_FEW[]        = L"胎动过少, 请及时就医";
const WCHAR SZ_TIP[]            = L"每天早、中、晚各数一小时, 5 分钟内的连续胎动算一次\r\n\r\n最近 7 天";
const WCHAR SZ_DAY_FORMAT[]     = L"\r\n%d月%d日: %d 小时, 有效 %d 次, 估算 %d 次";
const WCHAR SZ_NO_DAYS[]        = L"\r\n还没有记录";
const WCHAR SZ_SAVE_FAILED[]    = L"无法保存胎动记录";

const DWORD LINE_STYLE = SS_CENTER | SS_NOPREFIX;
const DWORD HISTORY_STYLE = WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY;
const int LINE_CCH = 128;
const int HISTORY_CCH = 1024;

// Designed at 96 dpi: a line of text is 18 high, the button 44, today's figures two lines.
const ColumnRow COLUMN[] = {
    { IDC_KICK_LEFT,       L"STATIC", LINE_STYLE,                     NULL,   10, 18, 10 },
    { IDC_KICK_COUNT,      L"STATIC", LINE_STYLE,                     NULL,    2, 18, 10 },
    { IDC_KICK_TAP,        L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP,  SZ_TAP,  8, 44, 30 },
    { IDC_KICK_TODAY,      L"STATIC", LINE_STYLE,                     NULL,   10, 34, 10 },
    { IDC_KICK_ASSESSMENT, L"STATIC", LINE_STYLE,                     NULL,    2, 18, 10 },
    { IDC_KICK_HISTORY,    L"EDIT",   HISTORY_STYLE,                  NULL,    8,  0, 10 },
};

// The taps read when the dialog opened and those made since.
RecordList s_taps;
BOOL s_bHourRunning = FALSE;

const WCHAR *AssessmentText(int nEstimate)
{
    switch (AssessKicks(nEstimate))
    {
    case KICKS_NORMAL: return SZ_NORMAL;
    case KICKS_FEW:    return SZ_FEW;
    default:           return SZ_TOO_FEW;
    }
}

void ShowHour(HWND hDlg, const KickSummary &k)
{
    WCHAR szLeft[LINE_CCH] = L"", szCount[LINE_CCH] = L"";
    if (k.bRunning)
    {
        StringCchPrintfW(szLeft, ARRAYSIZE(szLeft), SZ_LEFT_FORMAT, k.nSecondsLeft / 60, k.nSecondsLeft % 60);
        StringCchPrintfW(szCount, ARRAYSIZE(szCount), SZ_COUNT_FORMAT, k.nEffective, k.nTaps);
    }
    else
    {
        StringCchCopyW(szLeft, ARRAYSIZE(szLeft), SZ_IDLE);
    }
    SetTextIfChanged(hDlg, IDC_KICK_LEFT, szLeft);
    SetTextIfChanged(hDlg, IDC_KICK_COUNT, szCount);
}

void ShowToday(HWND hDlg, const KickDay &today)
{
    WCHAR szToday[LINE_CCH];
    if (today.nHours > 0)
        StringCchPrintfW(szToday, ARRAYSIZE(szToday), SZ_TODAY_FORMAT, today.nHours, today.nEffective, today.nEstimate);
    else
        StringCchCopyW(szToday, ARRAYSIZE(szToday), SZ_TODAY_NONE);
    SetTextIfChanged(hDlg, IDC_KICK_TODAY, szToday);
    SetTextIfChanged(hDlg, IDC_KICK_ASSESSMENT, today.nHours > 0 ? AssessmentText(today.nEstimate) : L"");
}

// The tip, then each of the days before today that has a complete hour, newest first.
void ShowDaysBefore(HWND hDlg, const KickSummary &k, int nNow)
{
    WCHAR szHistory[HISTORY_CCH];
    StringCchCopyW(szHistory, ARRAYSIZE(szHistory), SZ_TIP);
    BOOL bAny = FALSE;
    for (int i = 0; i < KICK_HISTORY_DAYS; i++)
    {
        const KickDay &day = k.aDaysBefore[i];
        if (day.nHours == 0)
            continue;
        int nYear = 0, nMonth = 0, nDay = 0;
        RecordDateOfDay(nNow / RECORD_SECONDS_PER_DAY - 1 - i, &nYear, &nMonth, &nDay);
        size_t cch = wcslen(szHistory);
        StringCchPrintfW(szHistory + cch, ARRAYSIZE(szHistory) - cch, SZ_DAY_FORMAT, nMonth, nDay, day.nHours,
                         day.nEffective, day.nEstimate);
        bAny = TRUE;
    }
    if (!bAny)
        StringCchCatW(szHistory, ARRAYSIZE(szHistory), SZ_NO_DAYS);
    SetTextIfChanged(hDlg, IDC_KICK_HISTORY, szHistory);
}

// Every text from the taps as they are now; the end of an hour is told by a beep.
void ShowTexts(HWND hDlg)
{
    int nNow = RecordNow();
    KickSummary k;
    SummarizeKicks(s_taps.GetEvents(), s_taps.GetCount(), nNow, &k);
    if (s_bHourRunning && !k.bRunning)
        MessageBeep(MB_OK);
    s_bHourRunning = k.bRunning;
    ShowHour(hDlg, k);
    ShowToday(hDlg, k.today);
    ShowDaysBefore(hDlg, k, nNow);
}

void OnOpened(HWND hDlg)
{
    s_bHourRunning = FALSE;
    ShowTexts(hDlg);
}

// The tap is counted once it is on storage, and not at all when it cannot be.
void OnCommand(HWND hDlg, int nCommand)
{
    if (nCommand == IDC_KICK_TAP && RecordFromDialog(hDlg, RECORD_KICK, &s_taps, SZ_SAVE_FAILED))
        ShowTexts(hDlg);
}

const RecordDialogKind KIND = { COLUMN, ARRAYSIZE(COLUMN), IDR_DIALOG_MENUBAR, IDC_KICK_TAP, &s_taps,
                                OnOpened, ShowTexts, OnCommand };

}  // namespace

INT_PTR CALLBACK KickDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    return RecordDialogMessage(KIND, hDlg, uMsg, wParam);
}
