/* Numeric ids shared by the resource script and the C++ code. Plain macros only:
   the resource compiler reads this file too. */
#ifndef VAROMIL_RESOURCE_IDS_H
#define VAROMIL_RESOURCE_IDS_H

/* Commands: menu items, accelerators, toolbar buttons. The status-bar help text
   of a command is the string with the same id, its tooltip the id + 1000. */
#define IDM_NEW 1010
#define IDM_OPEN 1020
#define IDM_SAVE 1030
#define IDM_SAVE_AS 1040
#define IDM_EXIT 1090
#define IDM_CONFIGURE 1110
#define IDM_DOWNLOAD_SETTINGS 1210
#define IDM_DOWNLOAD_PROGRAM 1220
#define IDM_CAPTURE 1310
#define IDM_START_CAPTURE 1320
#define IDM_STOP_CAPTURE 1330
#define IDM_CONNECT 1340
#define IDM_DISCONNECT 1350
#define IDM_ABOUT 1910
#define IDS_TOOLTIP_OFFSET 1000

/* Child windows of the main window. */
#define IDC_SUMMARY_TREE 1
#define IDC_STATUS_BAR 101
#define IDC_TOOLBAR 102
#define IDC_PRODUCT_SELECTOR 1810

/* Strings. */
#define IDS_CLASS_NAME 1001
#define IDS_TITLE 1002
#define IDS_PRODUCT_COUNT 3001
#define IDS_FIRST_PRODUCT 3002
#define IDS_MAKER 4001
#define IDS_VERSION 4002
#define IDS_NOTICE 4003

/* Bitmaps: toolbar images of the Telnet commands, 16 x 15 each. */
#define IDB_CONNECTION 1000
#define IDB_CAPTURE 1100

/* About box controls. */
#define IDC_ABOUT_TITLE 200
#define IDC_ABOUT_MAKER 201
#define IDC_ABOUT_NOTICE 202

#endif
