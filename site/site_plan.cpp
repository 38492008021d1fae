#include "site/site_plan.h"

#include <algorithm>

#include "common/text_helpers.h"
#include "site/terminal_table.h"

namespace varomil {

namespace {

// Values in the order of the field table, so that a key length comes before the
// keys and a font before its steps, however the columns are ordered.
void sortByField(std::vector<SiteValue>& values) {
    std::stable_sort(values.begin(), values.end(),
                     [](const SiteValue& a, const SiteValue& b) { return a.field < b.field; });
}

// Stores `values` over `image`; false with "FIELD: rule" for the first one that fails.
bool storeAll(const std::vector<SiteValue>& values, SettingsImage& image, unsigned& pages,
              std::string& error) {
    for (const SiteValue& v : values) {
        std::string rule;
        if (!storeSiteValue(*v.field, v.value, image, rule)) {
            error = std::string(v.field->name) + ": " + rule;
            return false;
        }
        pages |= sitePageBit(v.field->page);
    }
    return true;
}

bool checkSets(const SiteInput& input, SitePlan& plan, std::string& error) {
    for (const std::string& set : input.sets) {
        const std::size_t equals = set.find('=');
        const std::string name = set.substr(0, equals);
        if (equals == std::string::npos) {
            error = "/set " + set + ": not NAME=VALUE";
            return false;
        }
        const SiteField* field = findSiteField(name);
        if (field == nullptr) {
            error = "/set " + name + ": not a field name";
            return false;
        }
        for (const SiteValue& v : plan.sets) {
            if (v.field == field) {
                error = "/set " + name + ": given twice";
                return false;
            }
        }
        plan.sets.push_back({field, set.substr(equals + 1)});
    }
    sortByField(plan.sets);
    SettingsImage image = plan.base;
    unsigned pages = 0;
    if (!storeAll(plan.sets, image, pages, error)) {
        error = "/set " + error;
        return false;
    }
    return true;
}

bool checkTable(const SiteInput& input, SitePlan& plan, std::string& error) {
    const std::string& file = input.tableName;
    TerminalTable table;
    TableFault fault;
    if (!readTerminalTable(input.tableBytes, table, fault)) {
        error = file + (fault.line > 0 ? " line " + std::to_string(fault.line) : "") +
                (fault.column.empty() ? "" : ", " + fault.column) + ": " + fault.rule;
        return false;
    }
    const auto at = [&](int line, const std::string& column, const std::string& rule) {
        error = file + " line " + std::to_string(line) + ", " + column + ": " + rule;
        return false;
    };
    std::vector<const SiteField*> fields;
    int connectFrom = -1;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const std::string& name = table.columns[c];
        const SiteField* field = findSiteField(name);
        const bool isConnectFrom = equalsIgnoringCase(name, kConnectFromColumn);
        if (field == nullptr && !isConnectFrom) {
            return at(table.columnsLine, name, "not a field name");
        }
        if ((isConnectFrom && connectFrom >= 0) ||
            (field != nullptr && std::find(fields.begin(), fields.end(), field) != fields.end())) {
            return at(table.columnsLine, name, "named twice");
        }
        if (isConnectFrom) connectFrom = static_cast<int>(c);
        fields.push_back(field);
    }
    if (table.rows.empty()) {
        error = file + ": no terminal rows";
        return false;
    }
    if (input.count > static_cast<int>(table.rows.size())) {
        error = file + ": " + std::to_string(table.rows.size()) +
                " terminal rows, fewer than /count " + std::to_string(input.count);
        return false;
    }
    SettingsImage withSets = plan.base;
    unsigned pages = 0;
    storeAll(plan.sets, withSets, pages, error);
    plan.columns = table.columns;
    for (const TableRow& row : table.rows) {
        SiteTerminal terminal;
        terminal.row = static_cast<int>(plan.terminals.size()) + 1;
        terminal.line = row.line;
        std::vector<SiteValue> values;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const std::string& cell = row.cells[c];
            const SiteField* field = fields[c];
            const bool secret = field != nullptr && field->password && !cell.empty();
            terminal.shownCells.push_back(secret ? "***" : cell);
            if (field == nullptr) {
                std::uint32_t address = 0;
                if (!parseIpv4(cell, address)) {
                    return at(row.line, table.columns[c],
                              cell.empty() ? "no address" : cell + " is not dotted IPv4 text");
                }
                for (const SiteTerminal& t : plan.terminals) {
                    if (t.connectFrom == address) {
                        return at(row.line, table.columns[c],
                                  cell + " is on line " + std::to_string(t.line) + " too");
                    }
                }
                terminal.connectFrom = address;
                continue;
            }
            if (field->name == "LocalName") terminal.localName = cell;
            if (!cell.empty()) values.push_back({field, cell});
        }
        sortByField(values);
        SettingsImage image = withSets;
        std::string rule;
        if (!storeAll(values, image, pages, rule)) {
            error = file + " line " + std::to_string(row.line) + ", " + rule;
            return false;
        }
        plan.terminals.push_back(std::move(terminal));
        plan.rows.push_back(std::move(values));
    }
    return true;
}

}  // namespace

void SitePlan::imageFor(std::size_t index, SettingsImage& image) const {
    image = base;
    unsigned pages = 0;
    std::string unused;
    storeAll(sets, image, pages, unused);
    if (index < rows.size()) storeAll(rows[index], image, pages, unused);
    applySitePages(image, pages);
}

std::optional<std::size_t> SitePlan::rowFrom(std::uint32_t peer) const {
    for (std::size_t i = 0; i < terminals.size(); ++i) {
        if (terminals[i].connectFrom == peer) return i;
    }
    return std::nullopt;
}

bool SitePlan::hasConnectFrom() const {
    return !terminals.empty() && terminals.front().connectFrom.has_value();
}

namespace {

bool checkedPlan(const SiteInput& input, const SettingsImage& base, SitePlan& plan,
                 std::string& error) {
    plan = SitePlan{};
    plan.base = base;
    if (!input.allow.empty()) {
        std::string rule;
        if (!plan.allow.parse(input.allow, rule)) {
            error = "/allow: " + rule;
            return false;
        }
    }
    if (!checkSets(input, plan, error)) return false;
    if (!input.tableName.empty() && !checkTable(input, plan, error)) return false;
    for (const SiteTerminal& t : plan.terminals) {
        if (t.connectFrom) plan.allow.add(*t.connectFrom);
    }
    return true;
}

// The fault is one line whatever the table holds: a control character echoed
// from a quoted name shows as its code.
std::string oneLine(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b != 0x7F) {
            shown += ch;
        } else {
            shown += {'<', kHex[b >> 4], kHex[b & 15], '>'};
        }
    }
    return shown;
}

}  // namespace

bool buildSitePlan(const SiteInput& input, const SettingsImage& base, SitePlan& plan,
                   std::string& error) {
    if (checkedPlan(input, base, plan, error)) return true;
    error = oneLine(error);
    return false;
}

}  // namespace varomil
