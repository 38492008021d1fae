// Document state of the program: the current file, the modified flag, the product
// table and the counters that tie the commands together. One record per process;
// the selected product itself is the ProductIndex byte of the settings image.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varomil {

constexpr std::size_t kMaxProducts = 10;
constexpr std::size_t kProductNameLength = 9;   // characters, without the NUL
constexpr std::size_t kFileNameCapacity = 256;  // characters, with the NUL

struct Document {
    std::string CurrentFileName;  // empty: the settings have no file yet
    bool SettingsModified = false;
    std::array<std::string, kMaxProducts> ProductTable;
    int ProductCount = 0;
    int CapturedScreenCount = 0;
};

Document& document();

// Fills ProductTable and ProductCount: countText is the product count as text (at
// most 9 characters are read), nameOf(i) the name of product i + 1. A count
// outside 0..kMaxProducts is limited to that range; names are cut to 9 characters.
void loadProductTable(Document& doc, std::string_view countText,
                      const std::function<std::string(int)>& nameOf);

// The product the settings image names (ProductIndex), or 0 when none is selected.
int selectedProduct();

// Name of product 1..ProductCount; empty for 0 and for an index out of range.
std::string productName(const Document& doc, int product);

// The names of products 1..ProductCount.
std::vector<std::string> productNames(const Document& doc);

// The save question on close is asked only for a selected product with changes.
constexpr bool closeAsksToSave(int product, bool modified) {
    return product != 0 && modified;
}

}  // namespace varomil
