/* Ids of Download to Many Terminals: its command and its window (SITEDLG); read
   by the resource compiler too. */
#ifndef VAROMIL_SITE_IDS_H
#define VAROMIL_SITE_IDS_H

/* Command: Utilities menu. */
#define IDM_DOWNLOAD_SITE 1230

/* The window's controls. */
#define IDC_SITE_IN_FORCE 3201
#define IDC_SITE_FROM_FILE 3202
#define IDC_SITE_FILE 3203
#define IDC_SITE_FILE_BROWSE 3204
#define IDC_SITE_TABLE 3205
#define IDC_SITE_TABLE_BROWSE 3206
#define IDC_SITE_SETS 3207
#define IDC_SITE_RF 3208
#define IDC_SITE_SERIAL 3209
#define IDC_SITE_PORTS 3210
#define IDC_SITE_PARALLEL 3211
#define IDC_SITE_COUNT 3212
#define IDC_SITE_WAIT 3213
#define IDC_SITE_ALLOW 3214
#define IDC_SITE_LOG 3215
#define IDC_SITE_LOG_BROWSE 3216
#define IDC_SITE_REPORT 3217
#define IDC_SITE_REPORT_BROWSE 3218
#define IDC_SITE_ROWS 3219
#define IDC_SITE_TOTALS 3220
#define IDC_SITE_START 3221
#define IDC_SITE_STOP 3222

#endif
