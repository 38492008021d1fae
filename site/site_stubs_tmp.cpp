// Temporary stand-ins until the plan, allow list, CRC and record code arrive.
#include <cstdio>
#include <sstream>

#include "common/crc32.h"
#include "site/allow_list.h"
#include "site/site_plan.h"
#include "site/site_record.h"

namespace varomil {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

bool parseIpv4(std::string_view text, std::uint32_t& address) {
    unsigned a, b, c, d;
    char tail;
    if (std::sscanf(std::string(text).c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4)
        return false;
    address = a << 24 | b << 16 | c << 8 | d;
    return true;
}
std::string formatIpv4(std::uint32_t x) {
    return std::to_string(x >> 24) + "." + std::to_string(x >> 16 & 255) + "." +
           std::to_string(x >> 8 & 255) + "." + std::to_string(x & 255);
}
bool AllowList::parse(std::string_view list, std::string& error) {
    std::stringstream in{std::string(list)};
    std::string item;
    while (std::getline(in, item, ',')) {
        std::uint32_t a;
        int bits = 32;
        auto slash = item.find('/');
        if (slash != std::string::npos) bits = std::stoi(item.substr(slash + 1));
        if (!parseIpv4(item.substr(0, slash), a)) {
            error = "bad /allow";
            return false;
        }
        add(a, bits);
    }
    return true;
}
void AllowList::add(std::uint32_t address, int bits) {
    entries_.push_back({address, bits});
}
bool AllowList::allows(std::uint32_t address) const {
    if (entries_.empty()) return true;
    for (const Entry& e : entries_) {
        const std::uint32_t mask = e.bits == 0 ? 0 : ~0u << (32 - e.bits);
        if ((address & mask) == (e.address & mask)) return true;
    }
    return false;
}
std::string AllowList::describe() const {
    if (entries_.empty()) return "every address";
    std::string s;
    for (const Entry& e : entries_)
        s += (s.empty() ? "" : ", ") + formatIpv4(e.address) +
             (e.bits == 32 ? "" : "/" + std::to_string(e.bits));
    return s;
}

void SitePlan::imageFor(std::size_t index, SettingsImage& image) const {
    image = base;
    if (index >= cells.size()) return;
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c] == "LocalName") image.setText(fld::LocalName, cells[index][c]);
}
std::optional<std::size_t> SitePlan::rowFrom(std::uint32_t peer) const {
    for (std::size_t i = 0; i < terminals.size(); ++i)
        if (terminals[i].connectFrom == peer) return i;
    return std::nullopt;
}
bool SitePlan::hasConnectFrom() const {
    for (const SiteTerminal& t : terminals)
        if (t.connectFrom) return true;
    return false;
}
bool buildSitePlan(const SiteInput& input, const SettingsImage& base, SitePlan& plan,
                   std::string& error) {
    plan.base = base;
    if (!plan.allow.parse(input.allow, error)) return false;
    std::stringstream in(input.tableBytes);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::stringstream l(line);
        std::string cell;
        while (std::getline(l, cell, ',')) cells.push_back(cell);
        if (plan.columns.empty()) {
            plan.columns = cells;
            continue;
        }
        SiteTerminal t;
        t.row = static_cast<int>(plan.terminals.size()) + 1;
        t.line = n;
        for (std::size_t c = 0; c < cells.size() && c < plan.columns.size(); ++c) {
            if (plan.columns[c] == "LocalName") t.localName = cells[c];
            if (plan.columns[c] == "ConnectFrom") {
                std::uint32_t a;
                if (!parseIpv4(cells[c], a)) {
                    error = input.tableName + " line " + std::to_string(n) + ", ConnectFrom";
                    return false;
                }
                t.connectFrom = a;
                plan.allow.add(a);
            }
        }
        t.shownCells = cells;
        plan.terminals.push_back(t);
        plan.cells.push_back(cells);
    }
    return true;
}

std::string siteLogLine(const std::string& time, const TerminalRecord& r, std::uint32_t waitMs) {
    std::string s = time + "  terminal " + std::to_string(r.terminal);
    if (r.row)
        s += "  row " + std::to_string(r.row->row) +
             (r.row->localName.empty() ? "" : " " + r.row->localName);
    if (!r.peer.empty()) s += "  " + r.peer;
    s += r.via == 3 ? "  RF  " : "  RS-232  ";
    if (r.outcome.result == DownloadResult::Succeeded)
        s += "ok";
    else if (r.outcome.result == DownloadResult::NoTerminal)
        s += "no terminal within " + std::to_string(waitMs / 1000) + " s";
    else
        s += "failed: " +
             (r.outcome.cause.empty() ? std::string("Failed to download") : r.outcome.cause);
    char t[64];
    std::snprintf(t, sizeof t, "  %u.%02u s", r.ms / 1000, r.ms % 1000 / 10);
    s += t;
    if (r.crc) {
        std::snprintf(t, sizeof t, "  CRC %08X", *r.crc);
        s += t;
    }
    return s;
}
std::string siteReportHeader(const SitePlan& plan) {
    std::string s;
    for (const auto& c : plan.columns) s += c + ",";
    return s + "Peer,Link,Result,Seconds,CRC-32\r\n";
}
std::string siteReportRow(const SitePlan&, const TerminalRecord& r, std::uint32_t waitMs) {
    std::string s;
    if (r.row)
        for (const auto& c : r.row->shownCells) s += c + ",";
    char t[16] = "";
    if (r.crc) std::snprintf(t, sizeof t, "%08X", *r.crc);
    return s + r.peer + ",x," + siteLogLine("", r, waitMs) + "," + t + "\r\n";
}

}  // namespace varomil
