#include "pages/function_key_mapping.h"

#include "settings/builtin_tables.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

constexpr unsigned kModifiers = 3;  // nil, Shift, Alt

bool validRecord(std::size_t record) {
    return record < fld::kKeyRecordCount;
}

}  // namespace

bool recordHoldsRole(const SettingsImage& image, std::size_t record) {
    if (!validRecord(record)) return false;
    const unsigned first = image.byte(slot::binding(record), 0);
    return first >= lists::kFirstRole && first < lists::kFirstRole + lists::kRole.size();
}

std::string mappingText(const SettingsImage& image, std::size_t record) {
    if (!validRecord(record)) return {};
    const Field rec = slot::binding(record);
    const unsigned first = image.byte(rec, 0);
    if (first >= lists::kFirstRole) {
        return std::string(lookupName(lists::kRole, first - lists::kFirstRole));
    }
    const std::string host(hostKeyName(image.byte(rec, 1)));
    if (first == 0) return host;
    if (first >= kModifiers || host.empty()) return {};
    return std::string(lists::kModifier[first]) + " + " + host;
}

KeyChoice choiceOf(const SettingsImage& image, std::size_t record) {
    KeyChoice c;
    if (!validRecord(record)) return c;
    const Field rec = slot::binding(record);
    const unsigned first = image.byte(rec, 0);
    const unsigned host = image.byte(rec, 1);
    c.modifier = first < kModifiers ? first : 0;
    c.hostKey = host <= kUserDefinedKey ? host : 0;
    const Field seq = slot::sequence(record);
    for (std::size_t i = 0; i < c.code.size(); ++i) c.code[i] = image.byte(seq, i);
    return c;
}

KeyCode offeredCode(const SettingsImage& image, const FunctionKeyTable& table, std::size_t record,
                    unsigned modifier, unsigned hostKey) {
    if (hostKey == kUserDefinedKey) return choiceOf(image, record).code;
    return table.entry(modifier, hostKey);  // nothing outside the table
}

bool commitKeyChoice(SettingsImage& image, FunctionKeyTable& table, std::size_t record,
                     const KeyChoice& choice) {
    if (!validRecord(record) || recordHoldsRole(image, record)) return false;
    const unsigned modifier = choice.modifier < kModifiers ? choice.modifier : 0;
    const unsigned hostKey = choice.hostKey <= kUserDefinedKey ? choice.hostKey : 0;
    const Field rec = slot::binding(record);
    image.setByte(rec, static_cast<Byte>(modifier), 0);
    image.setByte(rec, static_cast<Byte>(hostKey), 1);
    image.setByte(rec, 0, 2);
    image.setRaw(slot::sequence(record), choice.code.data(), choice.code.size());
    if (FunctionKeyTable::valid(modifier, hostKey)) table.setEntry(modifier, hostKey, choice.code);
    return true;
}

}  // namespace varomil
