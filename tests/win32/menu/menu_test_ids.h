// Identifiers of the menu test program's own resources.
#pragma once

#define IDM_TEST_MENU 900
#define IDM_CUT_MENU 901
#define IDM_OPEN_MENU 902
#define IDB_TEST_STRIP 910
#define IDB_TEST_PLAIN 911
#define IDB_TEST_CORE 912

#define IDC_OPEN 100
#define IDC_SAVE_AS 101
#define IDC_EXIT 102
#define IDC_RECENT1 110
#define IDC_RECENT2 111
#define IDC_ABOUT 120
