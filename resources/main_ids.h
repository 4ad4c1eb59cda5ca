#pragma once
// Resource and command identifiers of Main.exe, shared by main.rc and the code.

// Strings.
#define IDS_MAIN_TITLE          1       // main window title "Main"
#define IDS_MAIN_CLASS          2       // main window class "MAIN"
#define MAIN_STRING_CCH         100

// Accelerators.
#define IDA_MAIN                2

// Icon of the program, also shown by the About dialog.
#define IDI_MAIN                101

// Menu bars (soft keys).
#define IDR_MAIN_MENUBAR        102
#define IDR_SETTINGS_MENUBAR    130
#define IDR_DIALOG_MENUBAR      131
#define IDR_CONTRACTIONS_MENUBAR 132

// Dialog templates.
#define IDD_ABOUT               105
#define IDD_ABOUT_WIDE          106
#define IDD_SETTINGS            108
#define IDD_DUE_DATE            109
#define IDD_HELP                110
#define IDD_KICKS               111
#define IDD_CONTRACTIONS        112

// About dialog items (templates 105 and 106).
#define IDC_ABOUT_ICON          201
#define IDC_ABOUT_VERSION       202
#define IDC_ABOUT_TITLE         203
#define IDC_ABOUT_NOTICE        204

// Settings dialog controls, created at run time.
#define IDC_RADIO_365           300
#define IDC_RADIO_280           301

// Controls of the dialog that sets the start date from a date the doctor gives, created at run
// time: what the picked date is.
#define IDC_KIND_DUE_DATE       310
#define IDC_KIND_CONCEPTION     311
#define IDC_KIND_TRANSFER_DAY3  312
#define IDC_KIND_TRANSFER_DAY5  313

// Kick counter controls, created at run time.
#define IDC_KICK_LEFT           400
#define IDC_KICK_COUNT          401
#define IDC_KICK_TAP            402
#define IDC_KICK_TODAY          403
#define IDC_KICK_ASSESSMENT     404
#define IDC_KICK_HISTORY        405

// Contraction timer controls, created at run time.
#define IDC_CONTRACTION_TAP     420
#define IDC_CONTRACTION_NOW     421
#define IDC_CONTRACTION_HOUR    422
#define IDC_CONTRACTION_MESSAGE 423
#define IDC_CONTRACTION_HISTORY 424

// Main window commands (menu bar 102 and accelerators 2).
#define IDM_KICKS               32780
#define IDM_CONTRACTIONS        32781
#define IDM_SETTINGS            32785
#define IDM_DUE_DATE_SETUP      32786
#define IDM_ABOUT               32788
#define IDM_HELP                32789
#define IDM_MENU_EXIT           32790
#define IDM_SOFTKEY_EXIT        32796
#define IDM_ACCEL_EXIT          40000
#define IDM_ACCEL_NOTHING       40002

// Settings dialog commands (menu bar 130, also the due-date dialog's).
#define IDM_SETTINGS_EXIT       32792
#define IDM_SETTINGS_OK         32794

// About, Help and record dialogs' command (menu bars 131 and 132).
#define IDM_DIALOG_OK           32798

// Contraction timer's left soft key (menu bar 132).
#define IDM_CONTRACTION_UNDO    32782
