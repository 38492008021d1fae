// The local time as the logs write it, "2026-12-09 03:14:15".
#pragma once

#include <string>

namespace varomil {

std::string localTimeText();

}  // namespace varomil
