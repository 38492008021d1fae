/* Control ids of the Emulation page and Function Key Mapping; read by the resource compiler too. */
#ifndef VAROMIL_EMULATION_IDS_H
#define VAROMIL_EMULATION_IDS_H

/* EMULATION_DLG */
#define IDC_EMU_EMULATION_TYPE 401 /* hidden, no entries */
#define IDC_EMU_FONT_SIZE 402
#define IDC_EMU_CASE_CONVERSION 403
#define IDC_EMU_NAVIGATOR 404
#define IDC_EMU_NAVIGATOR_KEY 405
#define IDC_EMU_TERMINAL_TYPE 406
#define IDC_EMU_H_STEPS 202
#define IDC_EMU_V_STEPS 203
#define IDC_EMU_CURSOR_TRACKING 301
#define IDC_EMU_TRIM_SPACES 302
#define IDC_EMU_DISABLE_ECHO 303
#define IDC_EMU_CURSOR_FLASHING 304
#define IDC_EMU_LINE_BUFFER 305
#define IDC_EMU_RESET 500
/* Key n (0..41 in button order): button 501 + n, arrow 601 + n, mapping text 101 + n. */
#define IDC_EMU_KEY_BUTTON 501
#define IDC_EMU_KEY_ARROW 601
#define IDC_EMU_KEY_TEXT 101
#define EMU_KEY_COUNT 42

/* FUNCTIONKEYDLG */
#define IDC_FK_KEY_NAME 101
#define IDC_FK_MODIFIER 401
#define IDC_FK_HOST_KEY 402
#define IDC_FK_CODE 201

#endif
