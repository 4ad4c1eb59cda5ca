// Resources of the shell tests, shared by shell_test.rc and the test code.
#pragma once

#define IDM_TEST_BAR        500     // "退出" | "菜单" ▸ "设置", separator, "关于"
#define IDM_TEST_MISSING    599
#define IDC_TEST_QUIT       501
#define IDC_TEST_SETTINGS   502
#define IDC_TEST_ABOUT      503

#define IDG_TEST_8BIT       600     // BMP files under the shell's image type "GIF"
#define IDG_TEST_24BIT      601
#define IDG_TEST_32BIT_TOPDOWN 602
#define IDG_TEST_NOT_BMP    603
#define IDB_TEST_PLAIN      604     // an ordinary BITMAP resource: not an image resource

#define IDD_TEST_DIALOG     700
