/* Control ids of the Barcode page and its dialogs; read by the resource compiler too. */
#ifndef VAROMIL_BARCODE_IDS_H
#define VAROMIL_BARCODE_IDS_H

#endif
