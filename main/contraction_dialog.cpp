#include "main/contraction_dialog.h"
#include <strsafe.h>
#include "core/contraction_rules.h"
#include "main/dialogs.h"
#include "main/record_dialog.h"
#include "main/record_store.h"
#include "main/settings_store.h"
#include "resources/main_ids.h"

namespace {

const WCHAR SZ_START[]          = L"宫缩开始";
const WCHAR SZ_END[]            = L"宫缩结束";
const WCHAR SZ_RUNNING_FORMAT[] = L"本次宫缩 %s";
const WCHAR SZ_SINCE_FORMAT[]   = L"距上次宫缩开始 %s";
const WCHAR SZ_HINT[]           = L"宫缩开始时点一下, 结束时再点一下";
const WCHAR SZ_HOUR_FORMAT[]    = L"最近一小时: %d 次, 平均持续 %s, 平均间隔 %s";
const WCHAR SZ_NO_HOUR[]        = L"最近一小时没有宫缩";
const WCHAR SZ_NO_TIME[]        = L"—";
const WCHAR SZ_PRETERM[]        = L"未满 37 周出现规律宫缩, 请立即就医";
const WCHAR SZ_RULE[]           = L"宫缩已规律 (5 分钟一次, 每次约 1 分钟, 持续 1 小时), 请准备去医院";
const WCHAR SZ_LINE_FORMAT[]    = L"%02d:%02d:%02d  持续 %s  间隔 %s\r\n";
const WCHAR SZ_GO_NOW[]         = L"破水、出血或胎动明显减少时, 请立即去医院";
const WCHAR SZ_SAVE_FAILED[]    = L"无法保存宫缩记录";

const DWORD LINE_STYLE = SS_CENTER | SS_NOPREFIX;
const DWORD HISTORY_STYLE = WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY;
const int LINE_CCH = 128;
const int HISTORY_CCH = 1024;

// Designed at 96 dpi: the button 44 high, a line of text 18, the last hour's figures two lines,
// the message three.
const ColumnRow COLUMN[] = {
    { IDC_CONTRACTION_TAP,     L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, SZ_START, 10, 44, 30 },
    { IDC_CONTRACTION_NOW,     L"STATIC", LINE_STYLE,                    NULL,      8, 18, 10 },
    { IDC_CONTRACTION_HOUR,    L"STATIC", LINE_STYLE,                    NULL,      6, 34, 10 },
    { IDC_CONTRACTION_MESSAGE, L"STATIC", LINE_STYLE,                    NULL,      6, 50, 10 },
    { IDC_CONTRACTION_HISTORY, L"EDIT",   HISTORY_STYLE,                 NULL,      6,  0, 10 },
};

// The events read when the dialog opened and those made since; the day of the pregnancy when it
// opened and the clock's day then, for whether regular contractions come too early, on whatever
// day it is now.
RecordList s_events;
int s_nPregnancyDayAtOpen = CONTRACTION_NONE;
int s_nDayAtOpen = 0;

void TimeText(int nSeconds, WCHAR *psz, size_t cch)
{
    if (nSeconds == CONTRACTION_NONE)
        StringCchCopyW(psz, cch, SZ_NO_TIME);
    else
        FormatContractionTime(nSeconds, psz, cch);
}

void ShowNow(HWND hDlg, const ContractionSummary &c)
{
    WCHAR szTime[CONTRACTION_TIME_CCH], szNow[LINE_CCH];
    if (c.bRunning || c.nSinceLastStart != CONTRACTION_NONE)
    {
        TimeText(c.bRunning ? c.nRunning : c.nSinceLastStart, szTime, ARRAYSIZE(szTime));
        StringCchPrintfW(szNow, ARRAYSIZE(szNow), c.bRunning ? SZ_RUNNING_FORMAT : SZ_SINCE_FORMAT, szTime);
    }
    else
    {
        StringCchCopyW(szNow, ARRAYSIZE(szNow), SZ_HINT);
    }
    SetTextIfChanged(hDlg, IDC_CONTRACTION_TAP, c.bRunning ? SZ_END : SZ_START);
    SetTextIfChanged(hDlg, IDC_CONTRACTION_NOW, szNow);
}

void ShowLastHour(HWND hDlg, const ContractionSummary &c)
{
    WCHAR szDuration[CONTRACTION_TIME_CCH], szInterval[CONTRACTION_TIME_CCH], szHour[LINE_CCH];
    if (c.nHourCount > 0)
    {
        TimeText(c.nHourMeanDuration, szDuration, ARRAYSIZE(szDuration));
        TimeText(c.nHourMeanInterval, szInterval, ARRAYSIZE(szInterval));
        StringCchPrintfW(szHour, ARRAYSIZE(szHour), SZ_HOUR_FORMAT, c.nHourCount, szDuration, szInterval);
    }
    else
    {
        StringCchCopyW(szHour, ARRAYSIZE(szHour), SZ_NO_HOUR);
    }
    SetTextIfChanged(hDlg, IDC_CONTRACTION_HOUR, szHour);
    // Too early, the warning stands alone.
    SetTextIfChanged(hDlg, IDC_CONTRACTION_MESSAGE, c.bPreterm ? SZ_PRETERM : c.bRuleHolds ? SZ_RULE : L"");
}

// The latest contractions, newest first, then when not to wait at all.
void ShowLatest(HWND hDlg, const ContractionSummary &c)
{
    WCHAR szList[HISTORY_CCH] = L"";
    for (int i = 0; i < c.nShown; i++)
    {
        const Contraction &one = c.aShown[i];
        WCHAR szDuration[CONTRACTION_TIME_CCH], szInterval[CONTRACTION_TIME_CCH];
        TimeText(one.nDuration, szDuration, ARRAYSIZE(szDuration));
        TimeText(one.nInterval, szInterval, ARRAYSIZE(szInterval));
        int nTime = one.nStart % RECORD_SECONDS_PER_DAY;
        size_t cch = wcslen(szList);
        StringCchPrintfW(szList + cch, ARRAYSIZE(szList) - cch, SZ_LINE_FORMAT, nTime / 3600, nTime / 60 % 60,
                         nTime % 60, szDuration, szInterval);
    }
    StringCchCatW(szList, ARRAYSIZE(szList), SZ_GO_NOW);
    SetTextIfChanged(hDlg, IDC_CONTRACTION_HISTORY, szList);
}

BOOL Summarize(ContractionSummary *pSummary)
{
    int nNow = RecordNow();
    int nPregnancyDay = s_nPregnancyDayAtOpen == CONTRACTION_NONE
        ? CONTRACTION_NONE : s_nPregnancyDayAtOpen + nNow / RECORD_SECONDS_PER_DAY - s_nDayAtOpen;
    return SummarizeContractions(s_events.GetEvents(), s_events.GetCount(), nNow, nPregnancyDay, pSummary);
}

void ShowTexts(HWND hDlg)
{
    ContractionSummary c;
    Summarize(&c);
    ShowNow(hDlg, c);
    ShowLastHour(hDlg, c);
    ShowLatest(hDlg, c);
}

void OnOpened(HWND hDlg)
{
    s_nPregnancyDayAtOpen = GetStoredPregnancyDay();
    s_nDayAtOpen = RecordNow() / RECORD_SECONDS_PER_DAY;
    ShowTexts(hDlg);
}

// The button starts a contraction, or ends the one running.
void OnTap(HWND hDlg)
{
    ContractionSummary c;
    Summarize(&c);
    if (RecordFromDialog(hDlg, c.bRunning ? RECORD_CONTRACTION_END : RECORD_CONTRACTION_START, &s_events,
                         SZ_SAVE_FAILED))
        ShowTexts(hDlg);
}

// Takes the latest contraction back, running or complete; with none left there is nothing to
// take back and nothing is written.
void OnUndo(HWND hDlg)
{
    ContractionSummary c;
    Summarize(&c);
    if (!c.bRunning && c.nShown == 0)
        return;
    if (RecordFromDialog(hDlg, RECORD_CONTRACTION_UNDO, &s_events, SZ_SAVE_FAILED))
        ShowTexts(hDlg);
}

void OnCommand(HWND hDlg, int nCommand)
{
    switch (nCommand)
    {
    case IDC_CONTRACTION_TAP:  OnTap(hDlg); break;
    case IDM_CONTRACTION_UNDO: OnUndo(hDlg); break;
    default:                   break;
    }
}

const RecordDialogKind KIND = { COLUMN, ARRAYSIZE(COLUMN), IDR_CONTRACTIONS_MENUBAR, IDC_CONTRACTION_TAP, &s_events,
                                OnOpened, ShowTexts, OnCommand };

}  // namespace

INT_PTR CALLBACK ContractionDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    return RecordDialogMessage(KIND, hDlg, uMsg, wParam);
}
