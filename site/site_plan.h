// A site's terminals in one batch: the settings file's image, values given to
// every terminal (/set NAME=VALUE) and a table with one row per terminal (/each),
// checked in full before anything is sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_image.h"
#include "site/allow_list.h"
#include "site/site_fields.h"

namespace varomil {

// The column that ties a row to the address its terminal connects from over RF.
constexpr char kConnectFromColumn[] = "ConnectFrom";

// One terminal of the table, as the log and the report show it.
struct SiteTerminal {
    int row = 0;                               // 1 for the table's first terminal
    int line = 0;                              // its line in the table's file
    std::string localName;                     // the row's LocalName, empty without one
    std::optional<std::uint32_t> connectFrom;  // ConnectFrom, host byte order
    std::vector<std::string> shownCells;       // the row's cells, passwords as "***"
};

// A checked value for a field.
struct SiteValue {
    const SiteField* field = nullptr;
    std::string value;  // Windows-1252, as the terminal holds it
};

struct SitePlan {
    // The table's own columns, for the report; empty without a table.
    std::vector<std::string> columns;
    // One per row of the table; empty without a table.
    std::vector<SiteTerminal> terminals;
    // Who may connect over RF: /allow, widened by the ConnectFrom addresses.
    AllowList allow;

    // The image terminal `index` gets: `base` with every /set value, then row
    // `index`'s values, applied with the rules the pages apply. Without a table
    // (index is then ignored) only the /set values.
    void imageFor(std::size_t index, SettingsImage& image) const;
    // The terminal whose ConnectFrom is `peer`, or none.
    std::optional<std::size_t> rowFrom(std::uint32_t peer) const;
    bool hasConnectFrom() const;

    SettingsImage base;
    std::vector<SiteValue> sets;               // checked /set values, in the fields' order
    std::vector<std::vector<SiteValue>> rows;  // checked table rows, in the fields' order
};

struct SiteInput {
    std::string tableName;          // as given to /each, for messages; empty: no table
    std::string tableBytes;         // the table file's bytes
    std::vector<std::string> sets;  // "NAME=VALUE" as given to /set
    std::string allow;              // as given to /allow; empty: none given
    int count = 0;                  // /count when given: the table must have as many rows
};

// Checks everything and fills `plan`; false with one line in `error`
// ("dock.csv line 7, LocalName: 21 characters, at most 19").
bool buildSitePlan(const SiteInput& input, const SettingsImage& base, SitePlan& plan,
                   std::string& error);

}  // namespace varomil
