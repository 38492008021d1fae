#include "screens/differentiation.h"

#include <algorithm>
#include <cstring>

#include "host/capture_file.h"

namespace varomil {

namespace {

constexpr int kFirstCell = 2;  // every pattern starts at row 2, column 2

// Cell k of a try lies at (row0 + k * rowStep, column0 + k * columnStep); after a
// failed try the start moves one row or one column, until it reaches the bound
// (the full bound less `cellsOffBound` times the cell count).
struct Pattern {
    int rowStep;
    int columnStep;
    bool movesRow;
    int bound;
    int cellsOffBound;
};
constexpr Pattern kPatterns[] = {
    {1, 1, false, kScreenColumns, 1},  // diagonal
    {1, 0, false, kScreenColumns, 0},  // vertical
    {0, 1, true, kScreenRows, 0},      // horizontal
};

// With at most 20 cells from (2, 2) no try can leave the 24 x 80 screen.
static_assert(kFirstCell + fld::kCharacteristicCount <= kScreenRows);
static_assert(kScreenColumns - fld::kCharacteristicCount + fld::kCharacteristicCount - 1 <
              kScreenColumns);

constexpr std::size_t kVisibleTextSize = static_cast<std::size_t>(kScreenRows) * kScreenColumns;

const Byte* visibleText(const CapturedScreenBlock& block) {
    return block.data() + kCapturedScreenTextOffset;
}

// Identical screens are found once, up front, so that a try only compares the
// characters at its cells: equal characters are then a conflict exactly when the
// two records are not copies of each other.
std::vector<std::size_t> firstCopies(const std::vector<CapturedScreenBlock>& records) {
    std::vector<std::size_t> first(records.size());
    for (std::size_t j = 0; j < records.size(); ++j) {
        first[j] = j;
        for (std::size_t i = 0; i < j; ++i) {
            if (first[i] == i && std::memcmp(visibleText(records[i]), visibleText(records[j]),
                                             kVisibleTextSize) == 0) {
                first[j] = i;
                break;
            }
        }
    }
    return first;
}

bool separates(const std::vector<CharacteristicBytes>& keys,
               const std::vector<std::size_t>& first) {
    for (std::size_t j = 0; j < keys.size(); ++j) {
        if (first[j] != j) continue;
        for (std::size_t i = 0; i < j; ++i) {
            if (first[i] == i && keys[i] == keys[j]) return false;
        }
    }
    return true;
}

}  // namespace

Differentiation differentiateScreens(const std::vector<CapturedScreenBlock>& records,
                                     unsigned characteristicLength) {
    Differentiation d;
    const std::size_t n = std::min<std::size_t>(characteristicLength, fld::kCharacteristicCount);
    d.length = n;
    d.keys.resize(records.size());
    const std::vector<std::size_t> first = firstCopies(records);
    d.duplicate.resize(records.size());
    for (std::size_t j = 0; j < records.size(); ++j) d.duplicate[j] = first[j] != j;

    for (const Pattern& p : kPatterns) {
        const int bound = p.bound - p.cellsOffBound * static_cast<int>(n);
        for (int start = kFirstCell; start < bound; ++start) {
            ++d.tries;
            const int row0 = p.movesRow ? start : kFirstCell;
            const int column0 = p.movesRow ? kFirstCell : start;
            d.rows.fill(0);
            d.columns.fill(0);
            for (std::size_t k = 0; k < n; ++k) {
                d.rows[k] = static_cast<Byte>(row0 + static_cast<int>(k) * p.rowStep);
                d.columns[k] = static_cast<Byte>(column0 + static_cast<int>(k) * p.columnStep);
            }
            for (std::size_t j = 0; j < records.size(); ++j) {
                d.keys[j].fill(0);
                for (std::size_t k = 0; k < n; ++k) {
                    d.keys[j][k] =
                        visibleText(records[j])[d.rows[k] * kScreenColumns + d.columns[k]];
                }
            }
            if (separates(d.keys, first)) {
                d.found = true;
                return d;
            }
        }
    }
    return d;
}

}  // namespace varomil
