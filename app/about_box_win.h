// The About box ("AboutBox"): program title, version, maker and notice.
#pragma once

#include <windows.h>

namespace varomil {

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace varomil
