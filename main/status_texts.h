#pragma once
#include <windows.h>

#define STATUS_TEXT_CCH   260
#define DUE_DATE_LINE_CCH 128
#define COUNTDOWN_CCH     64

extern WCHAR g_szStatusTxt[STATUS_TEXT_CCH];
extern int g_bStartTimeSet;
extern WCHAR *g_pszAdviceTxt;

// Turns the stored settings into the pages' texts and the month picture: read afresh, for every
// page. At start-up page 今日 alone, from the document the preparation of config.xml left open,
// and the other pages from the same reading once the window is up.
void GetStartTime();
void ShowFirstPage();
void FillOtherPages();
void ShowWeekAdvice(unsigned int nWeek);
void ShowMonthPicture(unsigned int nMonth);
