// Prints the settings summary of a *.NET file, or of the factory settings of a
// product: print_summary FILE | print_summary --new PRODUCT
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "summary/summary_tree.h"

using namespace varomil;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.NET | --new PRODUCT\n", argv[0]);
        return 2;
    }
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    if (std::string(argv[1]) == "--new") {
        applyFactoryDefaults(*image, *comp, argc > 2 ? std::atoi(argv[2]) : 1);
    } else if (!succeeded(readSettingsFile(argv[1], *image, *comp))) {
        std::fprintf(stderr, "%s: cannot read settings\n", argv[1]);
        return 1;
    }
    // The same text as File > Export Summary... writes for the same file.
    std::fputs(summaryExportText(buildSummaryTree(*image, programSummaryContext())).c_str(),
               stdout);
    return 0;
}
