/* Control ids of the download dialogs; read by the resource compiler too. */
#ifndef VAROMIL_DOWNLOAD_IDS_H
#define VAROMIL_DOWNLOAD_IDS_H

/* Download Properties (DOWNLOADDLG): drop-down lists of the link choice. */
#define IDC_DOWNLOAD_VIA 401
#define IDC_DOWNLOAD_PORT 402
#define IDC_DOWNLOAD_SPEED 403

/* Progress (PROGRESSDLG): the line above the progress bar, and the count below it
   ("block 12 of 597") beside the Cancel button (IDCANCEL). */
#define IDC_PROGRESS_TEXT 101
#define IDC_PROGRESS_COUNT 104

/* Erase notice (EraseDlg). */
#define IDC_ERASE_TEXT 102

/* Wait notice (WAITDLG): what the download waits for. */
#define IDC_WAIT_TEXT 103

#endif
