// Feeds arbitrary bytes to the site table reader and, when they read, builds a
// site plan from them and the image of every row: every cell must have come out
// in the terminal's character set and every image must keep its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "site/site_plan.h"
#include "site/terminal_table.h"

using namespace varomil;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TerminalTable table;
    TableFault fault;
    if (readTerminalTable(bytes, table, fault)) {
        if (table.columns.empty()) std::abort();
        int line = table.columnsLine;
        for (const TableRow& row : table.rows) {
            if (row.cells.size() != table.columns.size() || row.line <= line) std::abort();
            line = row.line;
        }
    } else if (fault.rule.empty()) {
        std::abort();
    }
    auto base = std::make_unique<SettingsImage>();
    auto plan = std::make_unique<SitePlan>();
    SiteInput input;
    input.tableName = "fuzz.csv";
    input.tableBytes = bytes;
    std::string error;
    if (!buildSitePlan(input, *base, *plan, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    auto image = std::make_unique<SettingsImage>();
    for (std::size_t i = 0; i < plan->terminals.size() && i < 8; ++i) {
        plan->imageFor(i, *image);
        const SiteTerminal& t = plan->terminals[i];
        if (t.connectFrom && plan->rowFrom(*t.connectFrom) != i) std::abort();
        if (t.connectFrom && !plan->allow.allows(*t.connectFrom)) std::abort();
    }
    return 0;
}
