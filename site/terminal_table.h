// The table of a site's terminals as spreadsheets write it (CSV): UTF-8 with or
// without a byte-order mark, CR LF or LF, fields in double quotes with doubled
// quotes inside (a quoted field may hold the separator and line breaks), comma or
// semicolon as the separator (the one the first row uses), blank lines ignored.
// The cells come out in the terminal's character set (Windows-1252).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varomil {

struct TableRow {
    int line = 0;  // where the row starts in the file, from 1
    std::vector<std::string> cells;
};

struct TerminalTable {
    std::vector<std::string> columns;  // the first row, blanks around each name taken off
    int columnsLine = 0;               // the first row's line
    std::vector<TableRow> rows;        // the further rows; one of only empty cells is blank
};

// Where a table breaks a rule: its line, the column's name when the fault is in a
// cell (empty otherwise), and the rule ("not UTF-8 text").
struct TableFault {
    int line = 0;
    std::string column;
    std::string rule;
};

// False with `fault` set for a table that cannot be read.
bool readTerminalTable(std::string_view bytes, TerminalTable& table, TableFault& fault);

}  // namespace varomil
