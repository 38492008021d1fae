#include "host/telnet_connection_win.h"

namespace varomil {

// Placeholders until the telnet connection lands: never connects.
bool connectHost(HWND) {
    return false;
}
void disconnectHost(HWND) {}

}  // namespace varomil
