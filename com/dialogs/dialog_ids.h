// The dialog templates and their controls, shared by dialogs.rc and the
// windows' code.
#pragma once

#define IDD_CONFIG 200
#define IDD_ABOUT 201

// Configuration: the tab strip, the General tab, the font tab, Apply.
#define IDC_TABS 1000
#define IDC_COMMENT_STYLE 1001
#define IDC_CELL_SPOTTER 1002
#define IDC_FORMULA 1003
#define IDC_VISIBLE_LABEL 1004
#define IDC_VISIBLE_ITEMS 1005
#define IDC_BEFORE_SAVE 1010
#define IDC_FONT_FRAME 1011
#define IDC_SAME_NAME 1012
#define IDC_SAME_STYLE 1013
#define IDC_SAME_SIZE 1014
#define IDC_FAMILY_LABEL 1015
#define IDC_FAMILIES 1016
#define IDC_STYLE_LABEL 1017
#define IDC_FONT_STYLE 1018
#define IDC_SIZE_LABEL 1019
#define IDC_FONT_SIZE 1020
#define IDC_SAMPLE_LABEL 1021
#define IDC_SAMPLE 1022
#define IDC_APPLY 1030

// About.
#define IDC_PICTURE 1100
#define IDC_VERSION 1101
#define IDC_CREDIT 1102
#define IDC_USAGE 1103
#define IDC_VISIT 1104
#define IDC_ADDRESS 1105
#define IDC_LOGO 1106

// The pictures of the About dialog: menu faces of the DLL.
#define IDB_ABOUT_PICTURE 109
#define IDB_ABOUT_LOGO 103
