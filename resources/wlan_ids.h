/* Control ids of the Wireless LAN page; read by the resource compiler too. */
#ifndef VAROMIL_WLAN_IDS_H
#define VAROMIL_WLAN_IDS_H

#endif
