// The addresses that may connect over RF during a site batch: dotted IPv4
// addresses, each with an optional prefix length ("10.1.2.0/24").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varomil {

// Dotted IPv4 text, four decimal octets 0..255; host byte order.
bool parseIpv4(std::string_view text, std::uint32_t& address);
std::string formatIpv4(std::uint32_t address);

class AllowList {
  public:
    // "ADDRESS[/BITS],...": false with one line in `error` for a list that does not parse.
    bool parse(std::string_view list, std::string& error);
    void add(std::uint32_t address, int bits = 32);
    // Without an entry every address is allowed.
    bool allowsEveryone() const { return entries_.empty(); }
    bool allows(std::uint32_t address) const;
    // For the log: "every address" or the entries as given.
    std::string describe() const;

  private:
    struct Entry {
        std::uint32_t address;
        int bits;
    };
    std::vector<Entry> entries_;
};

}  // namespace varomil
