// The kinds of link a download can use, as listed in the Download Properties
// dialog, in index order.
#pragma once

#include <array>
#include <string_view>

namespace varomil {

enum LinkInterface { kViaCradle = 0, kViaRs232 = 1, kViaIrda = 2, kViaRf = 3 };

constexpr std::array<std::string_view, 4> kLinkInterfaces{{"Cradle-IR", "RS-232", "IrDA", "RF"}};

constexpr int kComPortCount = 9;  // COM1..COM9

}  // namespace varomil
