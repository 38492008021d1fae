// Writes the image a site batch sends one terminal, padded to whole blocks as
// it goes over the link, for end-to-end tests to compare with what arrived:
//   site_image FILE.NET [--each TABLE.csv] [--set NAME=VALUE]... [--row N] OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "download/settings_transfer.h"
#include "settings/settings_file.h"
#include "site/site_plan.h"

using namespace varomil;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE.NET [--each T] [--set N=V]... [--row N] OUT\n",
                     argv[0]);
        return 2;
    }
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    if (readSettingsFile(argv[1], *image, *comp) != LoadResult::Loaded) {
        std::fprintf(stderr, "%s: cannot read settings\n", argv[1]);
        return 1;
    }
    SiteInput input;
    std::size_t row = 1;
    for (int i = 2; i + 2 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--each") {
            input.tableName = argv[i + 1];
            std::ifstream in(argv[i + 1], std::ios::binary);
            input.tableBytes.assign(std::istreambuf_iterator<char>(in), {});
        } else if (a == "--set") {
            input.sets.push_back(argv[i + 1]);
        } else if (a == "--row") {
            row = std::stoul(argv[i + 1]);
        }
    }
    auto plan = std::make_unique<SitePlan>();
    std::string error;
    if (!buildSitePlan(input, *image, *plan, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    auto sent = std::make_unique<SettingsImage>();
    plan->imageFor(row - 1, *sent);
    storeReaderBlocks(*sent, *comp);
    auto buffer = std::make_unique<TransferBuffer>();
    fillTransferBuffer(*sent, *buffer);
    std::ofstream(argv[argc - 1], std::ios::binary)
        .write(reinterpret_cast<const char*>(buffer->data()),
               static_cast<std::streamsize>(buffer->size()));
    return 0;
}
