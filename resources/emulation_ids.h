/* Control ids of the Emulation page and Function Key Mapping; read by the resource compiler too. */
#ifndef VAROMIL_EMULATION_IDS_H
#define VAROMIL_EMULATION_IDS_H

#endif
