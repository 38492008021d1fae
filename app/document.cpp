#include "app/document.h"

#include <cstdlib>

#include "settings/settings_image.h"

namespace varomil {

Document& document() {
    static Document doc;
    return doc;
}

void loadProductTable(Document& doc, std::string_view countText,
                      const std::function<std::string(int)>& nameOf) {
    for (std::string& name : doc.ProductTable) name.clear();
    const std::string digits(countText.substr(0, kProductNameLength));
    long count = std::strtol(digits.c_str(), nullptr, 10);
    // The table has room for kMaxProducts names; a larger count would run past it.
    if (count < 0) count = 0;
    if (count > static_cast<long>(kMaxProducts)) count = kMaxProducts;
    doc.ProductCount = static_cast<int>(count);
    for (int i = 0; i < doc.ProductCount; ++i) {
        doc.ProductTable[static_cast<std::size_t>(i)] = nameOf(i).substr(0, kProductNameLength);
    }
}

int selectedProduct() {
    return settingsImage().byte(fld::ProductIndex);
}

std::string productName(const Document& doc, int product) {
    if (product < 1 || product > doc.ProductCount) return {};
    return doc.ProductTable[static_cast<std::size_t>(product - 1)];
}

std::vector<std::string> productNames(const Document& doc) {
    return {doc.ProductTable.begin(), doc.ProductTable.begin() + doc.ProductCount};
}

}  // namespace varomil
