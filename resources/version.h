/* The program's version, defined once: the About box and the summary tree
   (string IDS_VERSION), the version resource, the manifest and the installer
   package all take it from here. Plain macros only: the resource compiler and
   CMake read this file too. */
#ifndef VAROMIL_VERSION_H
#define VAROMIL_VERSION_H

#define VAROMIL_VERSION_MAJOR 2
#define VAROMIL_VERSION_MINOR 90
#define VAROMIL_VERSION_PATCH 0

#define VAROMIL_STRINGIFY_(x) #x
#define VAROMIL_STRINGIFY(x) VAROMIL_STRINGIFY_(x)
/* "2.90.0.0": the four numbers of the version resource as text. */
#define VAROMIL_VERSION_DOTTED               \
    VAROMIL_STRINGIFY(VAROMIL_VERSION_MAJOR) \
    "." VAROMIL_STRINGIFY(VAROMIL_VERSION_MINOR) "." VAROMIL_STRINGIFY(VAROMIL_VERSION_PATCH) ".0"
/* "V2.90.0": as the About box and the summary tree show it. */
#define VAROMIL_VERSION_LABEL                                           \
    "V" VAROMIL_STRINGIFY(VAROMIL_VERSION_MAJOR) "." VAROMIL_STRINGIFY( \
        VAROMIL_VERSION_MINOR) "." VAROMIL_STRINGIFY(VAROMIL_VERSION_PATCH)

#endif
