/* Control ids of the Screen page; read by the resource compiler too. */
#ifndef VAROMIL_SCREEN_IDS_H
#define VAROMIL_SCREEN_IDS_H

#define IDC_SCR_PREVIEW_PLACE 100 /* hidden: the preview takes its rectangle */
#define IDC_SCR_TOTAL_PAGES 101
#define IDC_SCR_CURRENT_PAGE 102
#define IDC_SCR_REFORMAT_PAGE 103
#define IDC_SCR_CARET 104
#define IDC_SCR_LINE_NO_1 111 /* 111..118 */
#define IDC_SCR_PREVIEW 201
#define IDC_SCR_LINE_TEXT_1 211   /* 211..218 */
#define IDC_SCR_LINE_COLUMN_1 221 /* 221..228 */
#define IDC_SCR_LAYOUT 410
#define IDC_SCR_LINE_ROW_1 411 /* 411..418 */
#define IDC_SCR_RESET 500
#define IDC_SCR_LOAD 501
#define IDC_SCR_FIRST_PAGE 502
#define IDC_SCR_PREVIOUS_PAGE 503
#define IDC_SCR_NEXT_PAGE 504
#define IDC_SCR_LAST_PAGE 505
#define IDC_SCR_PREVIOUS_LINES 506
#define IDC_SCR_NEXT_LINES 507
#define IDC_SCR_DELETE 508

#endif
