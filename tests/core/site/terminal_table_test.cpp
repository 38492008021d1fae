// The table reader against the forms spreadsheets write and the ones they do not:
// each case of tests/data/site/tables.txt, with what it gives, in tables.golden.
#include "site/terminal_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/core/golden.h"

namespace varomil {
namespace {

std::string cells(const std::vector<std::string>& row) {
    std::string out;
    for (const std::string& c : row) {
        out += "[";
        for (const char ch : c) {
            const auto b = static_cast<unsigned char>(ch);
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += b < 0x20 || b >= 0x7F ? std::string(hex) : std::string(1, ch);
        }
        out += "]";
    }
    return out;
}

TEST(TerminalTable, SpreadsheetFormsAndFaults) {
    std::istringstream cases(readGolden("site/tables.txt"));
    std::string out;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        TerminalTable table;
        TableFault fault;
        out += line + "\n";
        if (!readTerminalTable(unescaped(line), table, fault)) {
            out += "  line " + std::to_string(fault.line) +
                   (fault.column.empty() ? "" : ", " + fault.column) + ": " + fault.rule + "\n";
            continue;
        }
        out += "  line " + std::to_string(table.columnsLine) + " " + cells(table.columns) + "\n";
        for (const TableRow& row : table.rows) {
            out += "  line " + std::to_string(row.line) + " " + cells(row.cells) + "\n";
        }
    }
    expectGolden("site/tables.golden", out);
}

}  // namespace
}  // namespace varomil
