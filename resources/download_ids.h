/* Control ids of the download dialogs; read by the resource compiler too. */
#ifndef VAROMIL_DOWNLOAD_IDS_H
#define VAROMIL_DOWNLOAD_IDS_H
#endif
