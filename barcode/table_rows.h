// A dialog's control table and enable rules as the core files hand them to the
// window code and the tests.
#pragma once

#include <cstddef>

#include "pages/control_table.h"

namespace varomil {

using ControlRows = Rows<ControlSpec>;
using EnableRows = Rows<EnableRule>;

}  // namespace varomil
