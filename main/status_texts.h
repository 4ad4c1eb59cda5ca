#pragma once
#include <windows.h>

#define STATUS_TEXT_CCH   260
#define DUE_DATE_LINE_CCH 128
#define COUNTDOWN_CCH     64

extern WCHAR g_szStatusTxt[STATUS_TEXT_CCH];
extern int g_bStartTimeSet;
extern WCHAR *g_pszAdviceTxt;

// Turns the stored settings into the pages' texts and the month picture.
void GetStartTime();
void ShowWeekAdvice(unsigned int nWeek);
void ShowMonthPicture(unsigned int nMonth);
