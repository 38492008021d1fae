/* Control ids of the settings pages and their dialogs; read by the resource
   compiler too. */
#ifndef VAROMIL_SETTINGS_PAGE_IDS_H
#define VAROMIL_SETTINGS_PAGE_IDS_H
#endif
