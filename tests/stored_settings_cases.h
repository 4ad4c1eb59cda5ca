#pragma once
// One reading of config.xml for everyone: what the Today item, the main program's first page
// and the settings dialog make of the same stored texts, on 6 December 2010. From 2010-3-1 that
// day is the due date by 280 days and 40 weeks by nine months and seven days, so a method read
// differently shows. Rows without a line are the prompt; rows without a date open the dialog
// on the calendar's own today. Only the elements named exactly StartTime and CalcMethod hold
// the settings: a save writes what the dialog opened on into those two and leaves the rest as
// it was, byte for byte.

struct StoredSettingsCase
{
    const char *pszBody;            // CONFIG's content
    const wchar_t *pszLine;         // the status both show; NULL: the prompt
    int nYear, nMonth, nDay;        // what the dialog opens on; 0: no stored date
    bool b365;                      // the method the dialog opens on
    const char *pszSaved;           // CONFIG's content after "确定" with nothing touched; NULL: as before
};

#define STORED_TODAY 2010, 12, 6
#define DUE_DAY_LINE L"今天是您的预产期!"
#define WEEK_40_LINE L"今天是您怀孕的孕周: 40 周 0 天"
#define SAVED_280 "<StartTime>2010-3-1</StartTime><CalcMethod>2</CalcMethod>"
#define SAVED_365 "<StartTime>2010-3-1</StartTime><CalcMethod>1</CalcMethod>"

static const StoredSettingsCase STORED_SETTINGS_CASES[] = {
    { "<StartTime>2010-3-1</StartTime><CalcMethod>2</CalcMethod>", DUE_DAY_LINE, 2010, 3, 1, false, NULL },
    { "<StartTime>2010-3-1</StartTime><CalcMethod>1</CalcMethod>", WEEK_40_LINE, 2010, 3, 1, true, NULL },
    { "<StartTime>2010-3-1</StartTime><CalcMethod>1&#xAD;</CalcMethod>", DUE_DAY_LINE, 2010, 3, 1, false, SAVED_280 },
    { "<StartTime>2010-3-1</StartTime><CalcMethod>abc</CalcMethod>", DUE_DAY_LINE, 2010, 3, 1, false, SAVED_280 },
    { "<StartTime>2010-3-1</StartTime>", DUE_DAY_LINE, 2010, 3, 1, false, SAVED_280 },
    { "<StartTime>2010-3-1T08:00</StartTime><CalcMethod>1</CalcMethod>", WEEK_40_LINE, 2010, 3, 1, true, SAVED_365 },
    { "<StartTime>2010-3-+1 </StartTime><CalcMethod>1</CalcMethod>", WEEK_40_LINE, 2010, 3, 1, true, SAVED_365 },
    { "<LastStartTime>2020-1-1</LastStartTime><StartTime>2010-3-1</StartTime><CalcMethod>2</CalcMethod>",
      DUE_DAY_LINE, 2010, 3, 1, false, NULL },
    // Names that only begin with the wanted ones, before them.
    { "<StartTimeOld>2020-1-1</StartTimeOld><CalcMethod2>1</CalcMethod2><StartTime>2010-3-1</StartTime>"
      "<CalcMethod>2</CalcMethod>", DUE_DAY_LINE, 2010, 3, 1, false, NULL },
    { "<StartTime>2011-1-1</StartTime><CalcMethod>2</CalcMethod>", NULL, 2011, 1, 1, false, NULL },
    { "<StartTime>2011-1-1</StartTime>", NULL, 2011, 1, 1, false,
      "<StartTime>2011-1-1</StartTime><CalcMethod>2</CalcMethod>" },
    { "<StartTime>2010-13-1</StartTime><CalcMethod>1</CalcMethod>", NULL, 0, 0, 0, true, NULL },
    { "<StartTime>abc</StartTime>", NULL, 0, 0, 0, true, NULL },
    { "<CalcMethod>2</CalcMethod>", NULL, 0, 0, 0, false, NULL },
    { "", NULL, 0, 0, 0, true, NULL },
};
