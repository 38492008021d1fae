// Feeds arbitrary bytes to the settings-file reader and builds the summary tree of
// the result, and of the raw bytes taken as an image without the reader's checks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "summary/summary_tree.h"

using namespace varomil;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const SummaryContext ctx{"Dornwick", "V2.90.0", "", {"4410/4420", "4630/4640", "4850"}};
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    applyFactoryDefaults(*image, *comp, 2);

    // The product count varies with the first byte so that the fallback to the
    // factory settings is reached too.
    const int productCount = size > 0 ? 1 + data[0] % 3 : 3;
    const LoadResult result = loadSettingsBytes(data, size, *image, *comp, productCount);
    if (succeeded(result)) {
        const std::vector<Byte> bytes = settingsFileBytes(*image, *comp);
        if (bytes.size() != kSettingsFileSize) std::abort();
        if (std::memcmp(bytes.data(), "V106", 5) != 0) std::abort();
        const Byte product = image->byte(fld::ProductIndex);
        if (product < 1 || product > productCount) std::abort();
    }
    printSummaryTree(buildSummaryTree(*image, ctx));

    if (size >= kSettingsImageSize) {
        std::memcpy(image->bytes().data(), data, kSettingsImageSize);
        printSummaryTree(buildSummaryTree(*image, ctx));
    }
    readFileVersion(data, size);
    saveAsFileName(std::string_view(reinterpret_cast<const char*>(data), size < 300 ? size : 300));
    return 0;
}
