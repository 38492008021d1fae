// "Function Key Mapping": the modal dialog that maps one terminal key to a host
// key with a modifier, or to a code of its own.
#pragma once

#include <windows.h>

#include <cstddef>

namespace varomil {

// Runs the dialog for key record `record`; true after OK. A record that holds a
// role is refused without a dialog: only its selector may change it.
bool editKey(HWND owner, std::size_t record);

}  // namespace varomil
