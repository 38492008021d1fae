/* Control ids of the host-session dialogs; read by the resource compiler too. */
#ifndef VAROMIL_HOST_IDS_H
#define VAROMIL_HOST_IDS_H
#endif
