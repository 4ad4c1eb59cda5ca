#pragma once
#include "main/edit_control.h"
#include "main/picture_control.h"
#include "main/tab_control.h"

// Pages of the main window's tab control.
#define PAGE_TODAY    0     // "今日": status line and month picture
#define PAGE_DETAILS  1     // "详情": advice for the week
#define PAGE_DUE_DATE 2     // "预产期": due date and the days left to it
#define PAGE_CHECKUPS 3     // "产检": the prenatal checks

extern EditControl g_editStatus;
extern EditControl g_editWeekAdvice;
extern EditControl g_editDueDate;
extern EditControl g_editCountdown;
extern EditControl g_editCheckups;
extern PictureControl g_picMonth;

// The page labels and the controls of page 今日; the controls of the other three pages; both.
void BuildFirstPage(TabControl *pTab, HINSTANCE hInstance);
void BuildOtherPages(TabControl *pTab, HINSTANCE hInstance);
void BuildPages(TabControl *pTab, HINSTANCE hInstance);
void ShowPage(int nPage);
