// CRC-32 as zip and Ethernet compute it (reflected, polynomial 0xEDB88320), so a
// recorded value can be checked with any common tool.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varomil {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size);

}  // namespace varomil
