// Resource and control ids of Kestrova.exe, shared by the resource script and the window code.
// The resource compiler reads this file too, so it holds plain #defines only.
#pragma once

// Strings
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Icons
#define IDI_KESTROVA 107
#define IDI_SMALL 108

// Menu and accelerator table
#define IDC_KESTROVA 109

// Menu commands
#define IDM_EXIT 105
#define IDM_ABOUT 104
#define IDM_NEW_PROJECT 32771
#define IDM_EDIT_PROJECT 32772
#define IDM_AUTOMATIC 32773
#define IDM_MANUAL 32774

// Dialog templates
#define IDD_ABOUTBOX 103
#define IDD_CHECKOFF_INFO 129
#define IDD_VCP_SELECTION 130
#define IDD_ADD_CUSTOM_VCP 131
#define IDD_REDO_YES_NO 138

// Main window controls (every label and the mode caption carry id 1)
#define IDC_LABEL 1
#define IDC_RESET 1000
#define IDC_CHOOSE_PROJECT 1001
#define IDC_START 1002
#define IDC_MONITOR_LIST 1003
#define IDC_SELECT 1004
#define IDC_GET_INFO 1005
#define IDC_SELECT_VCPS 1006
#define IDC_TEST 1007
#define IDC_LOG_LIST 1008
#define IDC_OVERALL_PROGRESS 1009
#define IDC_INDIVIDUAL_PROGRESS 1010
#define IDC_NO_PROJECT 1012

// Check-off information dialog 129
#define IDC_CHECKOFF_USER 1000
#define IDC_CHECKOFF_REVISION 1001
#define IDC_CHECKOFF_LOCKING_CODE 1002
#define IDC_CHECKOFF_FIRMWARE_VERSION 1003
#define IDC_CHECKOFF_FIRMWARE_DATE 1004
#define IDC_CHECKOFF_LOCKING_LABEL 1037

// VCP selection dialog 130
#define IDC_SELECTION_TREE 1006
#define IDC_DESELECT_ALL 1007
#define IDC_ADD_CUSTOM 1008
#define IDC_CAPABILITIES_TEXT 1023

// "Add custom VCP" form 131
#define IDC_CUSTOM_CODE 1009
#define IDC_CUSTOM_NAME 1010
#define IDC_CUSTOM_MANUAL 1011
#define IDC_CUSTOM_AUTOMATIC 1012
#define IDC_CUSTOM_CONTINUOUS 1013
#define IDC_CUSTOM_NOT_CONTINUOUS 1014
#define IDC_CUSTOM_READ_WRITE 1015
#define IDC_CUSTOM_READ_ONLY 1016
#define IDC_CUSTOM_WRITE_ONLY 1017
#define IDC_CUSTOM_MINIMUM 1018
#define IDC_CUSTOM_MAXIMUM 1019
#define IDC_CUSTOM_GET_DISCRETE 1020

// Redo/Yes/No question 138
#define IDC_ANSWER_REDO 1040
#define IDC_ANSWER_YES 1041
#define IDC_ANSWER_NO 1042
#define IDC_QUESTION_TEXT 1043

// Labels of the dialogs that need no id of their own
#define IDC_STATIC_TEXT -1
