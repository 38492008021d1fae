/* Ids of the summary's commands and dialogs (compare, find); read by the resource
   compiler too. */
#ifndef VAROMIL_SUMMARY_IDS_H
#define VAROMIL_SUMMARY_IDS_H

/* Commands: File menu, and the summary tree's context menu and keys. */
#define IDM_EXPORT_SUMMARY 1050
#define IDM_COMPARE_WITH 1060
#define IDM_COMPARE_FACTORY 1070
#define IDM_TREE_COPY 1150
#define IDM_TREE_FIND 1160
#define IDM_TREE_FIND_NEXT 1170

/* The tree's context menu. */
#define IDR_TREE_MENU 1180

/* Compare (COMPAREDLG): the two sides and the rows. */
#define IDC_COMPARE_MINE 3101
#define IDC_COMPARE_THEIRS 3102
#define IDC_COMPARE_ROWS 3103

/* Find (FINDDLG): the text to look for. */
#define IDC_FIND_TEXT 3111

#endif
