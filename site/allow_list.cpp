#include "site/allow_list.h"

namespace varomil {

namespace {

// A decimal of 1..3 digits without a leading zero (so "010" is never read as
// octal by one tool and decimal by another), at most `high`.
bool parseSmall(std::string_view text, unsigned high, unsigned& value) {
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0')) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= high;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::uint32_t maskOf(int bits) {
    return bits == 0 ? 0 : 0xFFFFFFFFu << (32 - bits);
}

}  // namespace

bool parseIpv4(std::string_view text, std::uint32_t& address) {
    std::uint32_t result = 0;
    for (int octet = 0; octet < 4; ++octet) {
        const std::size_t dot = text.find('.');
        if ((dot == std::string_view::npos) != (octet == 3)) return false;
        unsigned v = 0;
        if (!parseSmall(text.substr(0, dot), 255, v)) return false;
        result = (result << 8) | v;
        text.remove_prefix(octet == 3 ? text.size() : dot + 1);
    }
    address = result;
    return true;
}

std::string formatIpv4(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
           std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

bool AllowList::parse(std::string_view list, std::string& error) {
    std::vector<Entry> entries;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = trimmed(list.substr(0, comma));
        const std::size_t slash = entry.find('/');
        std::uint32_t address = 0;
        unsigned bits = 32;
        if (entry.empty()) {
            error = "an empty entry";
            return false;
        }
        if (!parseIpv4(entry.substr(0, slash), address)) {
            error = std::string(entry.substr(0, slash)) + " is not dotted IPv4 text";
            return false;
        }
        if (slash != std::string_view::npos && !parseSmall(entry.substr(slash + 1), 32, bits)) {
            error = std::string(entry) + ": the bits after / must be 0..32";
            return false;
        }
        entries.push_back({address, static_cast<int>(bits)});
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    entries_.insert(entries_.end(), entries.begin(), entries.end());
    return true;
}

void AllowList::add(std::uint32_t address, int bits) {
    entries_.push_back({address, bits});
}

bool AllowList::allows(std::uint32_t address) const {
    if (entries_.empty()) return true;
    for (const Entry& e : entries_) {
        if (((address ^ e.address) & maskOf(e.bits)) == 0) return true;
    }
    return false;
}

std::string AllowList::describe() const {
    if (entries_.empty()) return "every address";
    std::string text;
    for (const Entry& e : entries_) {
        if (!text.empty()) text += ", ";
        text += formatIpv4(e.address);
        if (e.bits != 32) text += "/" + std::to_string(e.bits);
    }
    return text;
}

}  // namespace varomil
