// Finding the characteristic cells that tell the loaded host screens apart: the
// terminal recognises a host screen only by the characters at these cells.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "settings/settings_image.h"

namespace varomil {

using CharacteristicBytes = std::array<Byte, fld::kCharacteristicCount>;

// Diagonal, vertical and horizontal sampling, each moved one step after a failed
// try: 58 + 78 + 22 tries for 20 cells.
constexpr int kDifferentiationTries = 158;

struct Differentiation {
    bool found = false;
    int tries = 0;           // tries made, the successful one included
    std::size_t length = 0;  // cells sampled
    // Positions of the cells (0-based), zero behind the sampled ones.
    CharacteristicBytes columns{};
    CharacteristicBytes rows{};
    // Per record: its characters at the cells (zero behind them), and whether it
    // repeats an earlier record of the file exactly.
    std::vector<CharacteristicBytes> keys;
    std::vector<bool> duplicate;
};

// Records in file order; `characteristicLength` is the stored byte (more than 20
// samples 20 cells). Found when no two different records have the same characters
// at the cells of one try.
Differentiation differentiateScreens(const std::vector<CapturedScreenBlock>& records,
                                     unsigned characteristicLength);

}  // namespace varomil
