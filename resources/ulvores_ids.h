// Resource identifiers of UlvoRes.dll, shared by ulvores.rc and the code that loads them.
// The numbers are fixed: both programs look them up by number in a library built separately.
#ifndef ULVORES_IDS_H
#define ULVORES_IDS_H

// Week advice strings. Weeks 0 and 1 share the first one; week w (2..40) is
// IDS_ADVICE_FIRST - 1 + w.
#define IDS_ADVICE_FIRST    103
#define IDS_ADVICE_LAST     142
#define ULVO_ADVICE_LAST_WEEK 40

// Month pictures: GIF files under the custom type "GIF", where the device's image loader
// (SHLoadImageResource) looks for them.
// Months 0 and 1 share the first one; month m (2..9) is IDB_MONTH_FIRST - 1 + m.
#define IDB_MONTH_FIRST     104
#define IDB_MONTH_LAST      112
#define ULVO_PICTURE_LAST_MONTH 9
#define ULVO_PICTURE_TYPE   L"GIF"

// The Today item's icon, 16 x 16 and 32 x 32.
#define IDI_TODAY_ITEM      113

// The prenatal check page of the main program. The formats take what their comments say; the
// contents of check c (0..CHECKUP_COUNT - 1 of core/checkup_schedule.h) are IDS_CHECKUP_CONTENTS_FIRST + c.
#define IDS_CHECKUP_FIRST_AHEAD     143     // days to the first check (%d)
#define IDS_CHECKUP_CURRENT         144     // the weeks of today's check (%s)
#define IDS_CHECKUP_NEXT            145     // the next check's weeks (%s) and the days to it (%d)
#define IDS_CHECKUP_ALL_PAST        146
#define IDS_CHECKUP_HEADING         147
#define IDS_CHECKUP_LINE            148     // a check's weeks (%s) and contents (%s)
#define IDS_CHECKUP_LINE_MARKED     149     // the same for today's check
#define IDS_CHECKUP_FOOTNOTE        150
#define IDS_CHECKUP_CONTENTS_FIRST  151
#define IDS_CHECKUP_CONTENTS_LAST   157

// The month pictures drawn for a 192-dpi screen at twice the pixels, in the same order, under
// numbers of their own after every other one in the library: a library built before them
// still serves every number the programs ask for.
#define IDB_MONTH_FIRST_192 158
#define IDB_MONTH_LAST_192  166
#define ULVO_PICTURE_DPI_HIGH 192

#endif
