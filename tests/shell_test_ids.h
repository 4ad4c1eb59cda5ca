// Resources of the shell tests, shared by shell_test.rc and the test code.
#pragma once

#define IDM_TEST_BAR        500     // "退出" | "菜单" ▸ "设置", separator, "关于"
#define IDM_TEST_MISSING    599
#define IDC_TEST_QUIT       501
#define IDC_TEST_SETTINGS   502
#define IDC_TEST_ABOUT      503

#define IDG_TEST_PICTURE    600     // a month picture under the shell's image type "GIF"
#define IDG_TEST_NOT_A_PICTURE 601  // "GIF89a" and text, under the same type
#define IDR_TEST_PICTURE_AS_DATA 602 // the same picture as plain data: not an image resource

#define IDD_TEST_DIALOG     700
