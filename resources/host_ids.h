/* Control ids of the host-session dialogs; read by the resource compiler too. */
#ifndef VAROMIL_HOST_IDS_H
#define VAROMIL_HOST_IDS_H

/* Host IP: the four parts of the dotted address. */
#define IDC_HOST_OCTET1 201
#define IDC_HOST_OCTET2 202
#define IDC_HOST_OCTET3 203
#define IDC_HOST_OCTET4 204
/* The whole address, or a host name; and the telnet port that will be used. */
#define IDC_HOST_NAME 205
#define IDC_HOST_PORT 206

#endif
