// Resource and control identifiers, shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SETTINGS 102
#define IDR_MAINFRAME 128
#define IDD_SPLASH 129
#define IDI_CLOSE 131
#define IDB_WELCOME 132
#define IDB_ENTER 133
// The welcome window's pictures at 150 % and 200 % (res/tools/draw_resources.py).
#define IDB_WELCOME_150 142
#define IDB_ENTER_150 143
#define IDB_WELCOME_200 152
#define IDB_ENTER_200 153

// System-menu commands: multiples of 16, as the system keeps the low four bits for itself.
#define IDM_ABOUTBOX 0x0010
#define IDM_LOAD_PROFILE 0x0020
#define IDM_SAVE_PROFILE 0x0030
#define IDM_SWIPE_TEST 0x0040

// Swipe test window
#define IDD_SWIPE_TEST 134
#define IDC_SWIPE_CAPTURE 1101
#define IDC_SWIPE_RESULT 1102
#define IDC_SHOW_FULL_NUMBERS 1103
#define IDC_SWIPE_CLEAR 1104
#define IDC_SWIPE_FORM 1105
// Hidden labels that name the two boxes for a screen reader.
#define IDC_SWIPE_CAPTURE_NAME 1106
#define IDC_SWIPE_RESULT_NAME 1107

// About box: its second line, which speaks the window's language
#define IDC_ABOUT_LINE 1110

// Settings window
#define IDC_DEVICE_FRAME 1000
#define IDC_FIND_DEVICE 1001
#define IDC_RADIO_CHINESE 1002
#define IDC_RADIO_ENGLISH 1003
#define IDC_SENTINEL_FRAME 1004
#define IDC_TRACK1_START 1005
#define IDC_TRACK1_END 1006
#define IDC_TRACK2_END 1007
#define IDC_TRACK3_END 1008
#define IDC_TRACK3_START 1009
#define IDC_TRACK2_START 1010
#define IDC_OUTPUT_TRACK1 1011
#define IDC_OUTPUT_TRACK2 1012
#define IDC_OUTPUT_TRACK3 1013
#define IDC_CR_TRACK1 1014
#define IDC_CR_TRACK2 1015
#define IDC_CR_TRACK3 1016
#define IDC_CR_PACKET 1017
#define IDC_TRACK_FRAME 1018
#define IDC_CR_FRAME 1019
#define IDC_SET_DEVICE 1020
#define IDC_RESTORE_DEFAULTS 1021
#define IDC_STATUS_CAPTION 1022
#define IDC_STATUS 1023
#define IDC_DISCONNECT 1024
#define IDC_GET_VERSION 1025
#define IDC_USAGE_FRAME 1026
#define IDC_USAGE_LINE1 1027
#define IDC_USAGE_LINE2 1028
#define IDC_CR_NOTICE 1029
#define IDC_FORMAT_FRAME 1030
#define IDC_PAIR1_CHAR 1031
#define IDC_PAIR1_REPLACEMENT 1032
#define IDC_PAIR2_REPLACEMENT 1033
#define IDC_PAIR2_CHAR 1034
#define IDC_SET_REPLACE 1035
#define IDC_CANCEL_REPLACE 1036
#define IDC_REPLACE_FRAME 1037
#define IDC_PAIR1_CHAR_LABEL 1038
#define IDC_PAIR2_CHAR_LABEL 1039
#define IDC_PAIR1_REPLACEMENT_LABEL 1040
#define IDC_PAIR2_REPLACEMENT_LABEL 1041
#define IDC_ALLOW_PAIR2 1042
#define IDC_ALLOW_PAIR1 1043
