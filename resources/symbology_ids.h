/* Control ids of the symbology parameter dialogs; read by the resource compiler too.
   The ids are shared by all thirty templates: each dialog uses the ones it needs. */
#ifndef VAROMIL_SYMBOLOGY_IDS_H
#define VAROMIL_SYMBOLOGY_IDS_H

/* Labels: the two length labels (101/102 in 1D, 102/103 in 2D) and the combo labels. */
#define IDC_SYM_LABEL1 101
#define IDC_SYM_LABEL2 102
#define IDC_SYM_LABEL3 103
#define IDC_SYM_LABEL4 104
#define IDC_SYM_LABEL5 105
/* Edits: the two lengths, or the EAN128 field separator (201). */
#define IDC_SYM_EDIT1 201
#define IDC_SYM_EDIT2 202
/* Check boxes. */
#define IDC_SYM_CHECK1 301
#define IDC_SYM_CHECK2 302
#define IDC_SYM_CHECK3 303
#define IDC_SYM_CHECK4 304
#define IDC_SYM_CHECK5 305
#define IDC_SYM_CHECK6 306
#define IDC_SYM_CHECK7 307
#define IDC_SYM_CHECK8 308
/* Combo boxes. */
#define IDC_SYM_COMBO1 401
#define IDC_SYM_COMBO2 402
#define IDC_SYM_COMBO3 403
/* Radio buttons. */
#define IDC_SYM_RADIO1 601
#define IDC_SYM_RADIO2 602
#define IDC_SYM_RADIO3 603
#define IDC_SYM_RADIO4 604
#define IDC_SYM_RADIO5 605
#define IDC_SYM_RADIO6 606
#define IDC_SYM_RADIO7 607
#define IDC_SYM_RADIO8 608
/* Group boxes. */
#define IDC_SYM_GROUP1 700
#define IDC_SYM_GROUP2 902
#define IDC_SYM_GROUP3 903

#endif
