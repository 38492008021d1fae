#include "site/terminal_table.h"

#include <cstdio>

#include "common/windows_1252.h"

namespace varomil {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct RawRow {
    int line = 0;
    std::vector<std::string> cells;
};

// Splits the bytes into rows of raw cells; false with the fault of a broken quote.
bool splitRows(std::string_view text, std::vector<RawRow>& rows, TableFault& fault) {
    // The first separator of the first row, outside quotes.
    char separator = ',';
    bool quoted = false;
    for (std::size_t k = text.find_first_not_of("\r\n"); k < text.size(); ++k) {
        if (text[k] == '"') quoted = !quoted;
        if (quoted) continue;
        if (text[k] == '\n') break;
        if (text[k] == ',' || text[k] == ';') {
            separator = text[k];
            break;
        }
    }
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        RawRow row{line, {}};
        std::string cell;
        bool rowEnds = false;
        while (!rowEnds) {
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                ++i;
                while (true) {
                    if (i >= text.size()) {
                        fault = {opened, {}, "a quote that is not closed"};
                        return false;
                    }
                    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                    } else if (text[i] == '"') {
                        ++i;
                        break;
                    } else {
                        if (text[i] == '\n') ++line;
                        cell += text[i++];
                    }
                }
                if (i < text.size() && text[i] != separator && text[i] != '\n' &&
                    !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                    fault = {line, {}, "text after a closing quote"};
                    return false;
                }
            }
            while (i < text.size() && text[i] != separator && text[i] != '\n') {
                if (text[i] == '"') {
                    fault = {line, {}, "a quote inside a cell that does not start with one"};
                    return false;
                }
                cell += text[i++];
            }
            if (i >= text.size() || text[i] == '\n') {
                if (!cell.empty() && cell.back() == '\r') cell.pop_back();
                rowEnds = true;
                ++line;
            }
            ++i;
            row.cells.push_back(std::move(cell));
            cell.clear();
        }
        rows.push_back(std::move(row));
    }
    return true;
}

bool blank(const RawRow& row) {
    for (const std::string& c : row.cells) {
        if (!c.empty()) return false;
    }
    return true;
}

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The cell in the terminal's character set; false with the rule it breaks.
bool convert(const std::string& utf8, std::string& out, std::string& rule) {
    char32_t unheld = 0;
    switch (utf8ToWindows1252(utf8, out, unheld)) {
        case TextConversion::Ok:
            return true;
        case TextConversion::NotUtf8:
            rule = "not UTF-8 text";
            return false;
        case TextConversion::NotHeld: {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(unheld));
            rule = std::string(name) + " is not in the terminal's character set";
            return false;
        }
    }
    return false;
}

}  // namespace

bool readTerminalTable(std::string_view bytes, TerminalTable& table, TableFault& fault) {
    table = {};
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::vector<RawRow> rows;
    if (!splitRows(bytes, rows, fault)) return false;
    bool header = true;
    for (RawRow& raw : rows) {
        if (blank(raw)) continue;
        if (header) {
            header = false;
            table.columnsLine = raw.line;
            for (std::size_t c = 0; c < raw.cells.size(); ++c) {
                std::string name;
                std::string rule;
                if (!convert(trimmed(raw.cells[c]), name, rule)) {
                    fault = {raw.line, {}, "column " + std::to_string(c + 1) + ": " + rule};
                    return false;
                }
                if (name.empty()) {
                    fault = {raw.line, {}, "column " + std::to_string(c + 1) + " has no name"};
                    return false;
                }
                table.columns.push_back(std::move(name));
            }
            continue;
        }
        if (raw.cells.size() != table.columns.size()) {
            fault = {raw.line,
                     {},
                     std::to_string(raw.cells.size()) +
                         (raw.cells.size() == 1 ? " cell" : " cells") + ", the first row names " +
                         std::to_string(table.columns.size())};
            return false;
        }
        TableRow row{raw.line, {}};
        for (std::size_t c = 0; c < raw.cells.size(); ++c) {
            std::string cell;
            std::string rule;
            if (!convert(raw.cells[c], cell, rule)) {
                fault = {raw.line, table.columns[c], rule};
                return false;
            }
            row.cells.push_back(std::move(cell));
        }
        table.rows.push_back(std::move(row));
    }
    if (table.columns.empty()) {
        fault = {0, {}, "no first row naming the fields"};
        return false;
    }
    return true;
}

}  // namespace varomil
