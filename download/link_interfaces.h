// The kinds of link a download can use, in the index order of the Download
// Properties dialog and of the DownloadVia setting (lists::kDownloadVia names them).
#pragma once

#include "settings/value_lists.h"

namespace varomil {

enum LinkInterface { kViaCradle = 0, kViaRs232 = 1, kViaIrda = 2, kViaRf = 3 };

static_assert(lists::kDownloadVia.size() == kViaRf + 1 && lists::kDownloadVia[kViaRf] == "RF",
              "one name for each kind of link, in index order");

constexpr int kComPortCount = 9;  // COM1..COM9

}  // namespace varomil
