/* Control ids of the Screen page; read by the resource compiler too. */
#ifndef VAROMIL_SCREEN_IDS_H
#define VAROMIL_SCREEN_IDS_H

#endif
