// A dialog's control table and enable rules as the core files hand them to the
// window code and the tests.
#pragma once

#include <cstddef>

#include "pages/control_table.h"

namespace varomil {

struct ControlRows {
    const ControlSpec* rows;
    std::size_t count;
    const ControlSpec* begin() const { return rows; }
    const ControlSpec* end() const { return rows + count; }
    // The row of a control, or none.
    const ControlSpec* find(int id) const {
        for (const ControlSpec& c : *this) {
            if (c.id == id) return &c;
        }
        return nullptr;
    }
};

struct EnableRows {
    const EnableRule* rows;
    std::size_t count;
};

}  // namespace varomil
