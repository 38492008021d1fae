/* Control ids of the settings pages and their dialogs; read by the resource
   compiler too. */
#ifndef VAROMIL_SETTINGS_PAGE_IDS_H
#define VAROMIL_SETTINGS_PAGE_IDS_H

/* GRIDDLG, the character grid editor */
#define IDC_GRID_CHART 101
#define IDC_GRID_RESULT 102
#define IDC_GRID_RESULT_LABEL 103
#define IDC_GRID_CLEAR 501

/* SYSTEM_DLG */
#define IDC_SYS_AUTO_POWER_OFF 201
#define IDC_SYS_PASSWORD 202
#define IDC_SYS_IDLE_TIME 203
#define IDC_SYS_LINE_EDIT_1 211 /* 211..218: lines 1..8 of the section */
#define IDC_SYS_MACRO_FRAME 219
#define IDC_SYS_LINE_LABEL_1 111 /* 111..118 */
#define IDC_SYS_KEY_CLICK 300
#define IDC_SYS_LOCK_TCPIP 301
#define IDC_SYS_LOCK_EMULATION 302
#define IDC_SYS_LOCK_DATE_TIME 303
#define IDC_SYS_LOCK_UTILITY 305
#define IDC_SYS_PROMPT_SECTION 401
#define IDC_SYS_DOWNLOAD_VIA 402
#define IDC_SYS_BAUD_RATE 403
#define IDC_SYS_FUNC_TOGGLE 404
#define IDC_SYS_RESET 500
#define IDC_SYS_POWER_RESUME 601
#define IDC_SYS_POWER_RESTART 602
#define IDC_SYS_BACKLIGHT_OFF 603
#define IDC_SYS_BACKLIGHT_ON 604

#endif
