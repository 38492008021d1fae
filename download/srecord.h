// Program files (Motorola S-record text) and their conversion into the binary S3
// records the terminal's loader takes, packed to about 100 bytes each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "download/link.h"

namespace varomil {

// One data record of the file (S1, S2 or S3) that carries at least one byte.
struct DataRecord {
    std::uint32_t address = 0;
    std::vector<Byte> data;
    std::size_t sourceEnd = 0;  // file offset just behind the record's line
};

struct ProgramImage {
    std::vector<DataRecord> records;
    std::size_t fileSize = 0;
};

// Reads and checks the whole file: every line up to the end record (S7, S8 or
// S9) must be a well-formed S-record with hex digits of either case, a count that
// matches the line and a correct checksum. Header and count records (S0, S5, S6)
// are checked and skipped; lines behind the end record are not read. On failure
// `error` names the line and what is wrong with it.
bool readProgramFile(const Byte* text, std::size_t size, ProgramImage& image, std::string& error);

// Output record on the wire: "S3", count, 4 address bytes, data, checksum, CR.
struct OutputRecord {
    std::vector<Byte> bytes;
    std::size_t sourceEnd = 0;  // file offset reached by the input it holds
};

constexpr std::size_t kPackThreshold = 100;    // a record longer than this is sent
constexpr std::size_t kMaxRecordLength = 257;  // "S3" + count 255: never more

// Consecutive records are packed into one output record until it is longer than
// 100 bytes (header, address and data counted) or the addresses stop following on.
std::vector<OutputRecord> packProgram(const ProgramImage& image);

// Completes an output record of "S3", count place, address and data: count,
// checksum and CR.
void finishOutputRecord(std::vector<Byte>& record);

constexpr std::array<Byte, 9> kEndRecord{{'S', '7', 0x05, 0x00, 0x00, 0x00, 0x00, 0xFA, 0x0D}};

}  // namespace varomil
