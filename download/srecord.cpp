#include "download/srecord.h"

#include <string>
#include <string_view>

namespace varomil {
namespace {

int hexValue(Byte c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Address width of each record type; 0 for a type that carries no address we use.
struct RecordKind {
    int addressBytes;
    enum { Skip, Data, End, Invalid } role;
};

constexpr std::array<RecordKind, 10> kRecordKinds{{
    {2, RecordKind::Skip},     // S0 header
    {2, RecordKind::Data},     // S1
    {3, RecordKind::Data},     // S2
    {4, RecordKind::Data},     // S3
    {0, RecordKind::Invalid},  // S4 reserved
    {2, RecordKind::Skip},     // S5 count
    {3, RecordKind::Skip},     // S6 count
    {4, RecordKind::End},      // S7
    {3, RecordKind::End},      // S8
    {2, RecordKind::End},      // S9
}};

std::string lineError(std::size_t line, std::string_view what) {
    return "The program file is not valid: line " + std::to_string(line) + " " + std::string(what) +
           ".";
}

// Checks one line (without its line end) and adds its data to the image.
bool readLine(std::string_view line, std::size_t number, std::size_t end, ProgramImage& image,
              bool& finished, std::string& error) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.empty()) return true;
    if (line.size() < 2 || (line[0] != 'S' && line[0] != 's') || line[1] < '0' || line[1] > '9') {
        error = lineError(number, "does not start with an S-record type");
        return false;
    }
    const RecordKind kind = kRecordKinds[static_cast<std::size_t>(line[1] - '0')];
    if (kind.role == RecordKind::Invalid) {
        error = lineError(number, "has an unknown record type");
        return false;
    }
    const std::string_view hex = line.substr(2);
    if (hex.size() % 2 != 0) {
        error = lineError(number, "has an odd number of hex digits");
        return false;
    }
    std::vector<Byte> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = hexValue(static_cast<Byte>(hex[i]));
        const int lo = hexValue(static_cast<Byte>(hex[i + 1]));
        if (hi < 0 || lo < 0) {
            error = lineError(number, "has a character that is not a hex digit");
            return false;
        }
        bytes.push_back(static_cast<Byte>(hi * 16 + lo));
    }
    if (bytes.empty() || bytes[0] + 1u != bytes.size()) {
        error = lineError(number, "has a count that does not match its length");
        return false;
    }
    const std::size_t addressBytes = static_cast<std::size_t>(kind.addressBytes);
    if (bytes[0] < addressBytes + 1) {
        error = lineError(number, "is too short for its address");
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
    if (static_cast<Byte>(0xFF - (sum & 0xFF)) != bytes.back()) {
        error = lineError(number, "has a wrong checksum");
        return false;
    }
    if (kind.role == RecordKind::End) {
        finished = true;
        return true;
    }
    if (kind.role == RecordKind::Skip) return true;
    DataRecord rec;
    for (std::size_t i = 0; i < addressBytes; ++i) rec.address = (rec.address << 8) | bytes[1 + i];
    rec.data.assign(bytes.begin() + 1 + static_cast<std::ptrdiff_t>(addressBytes), bytes.end() - 1);
    rec.sourceEnd = end;
    // A record without data says nothing to the loader.
    if (!rec.data.empty()) image.records.push_back(std::move(rec));
    return true;
}

}  // namespace

bool readProgramFile(const Byte* text, std::size_t size, ProgramImage& image, std::string& error) {
    image = ProgramImage{};
    image.fileSize = size;
    error.clear();
    if (size == 0) {
        error = "The program file is empty.";
        return false;
    }
    const std::string_view all(reinterpret_cast<const char*>(text), size);
    std::size_t pos = 0;
    std::size_t number = 0;
    bool finished = false;
    while (pos < all.size() && !finished) {
        ++number;
        std::size_t stop = all.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos) stop = all.size();
        std::size_t next = stop;
        if (next < all.size() && all[next] == '\r') ++next;
        if (next < all.size() && all[next] == '\n') ++next;
        if (!readLine(all.substr(pos, stop - pos), number, next, image, finished, error))
            return false;
        pos = next;
    }
    if (!finished) {
        error = "The program file is not valid: it has no end record (S7, S8 or S9).";
        return false;
    }
    return true;
}

void finishOutputRecord(std::vector<Byte>& record) {
    const std::size_t length = record.size();
    record[2] = static_cast<Byte>(length - 2);
    unsigned sum = 0;
    for (std::size_t i = 2; i < length; ++i) sum += record[i];
    record.push_back(static_cast<Byte>(0xFF - (sum & 0xFF)));
    record.push_back(0x0D);
}

std::vector<OutputRecord> packProgram(const ProgramImage& image) {
    std::vector<OutputRecord> out;
    OutputRecord pending;
    std::uint32_t expected = 0;
    auto flush = [&] {
        if (pending.bytes.empty()) return;
        finishOutputRecord(pending.bytes);
        out.push_back(std::move(pending));
        pending = OutputRecord{};
    };
    for (const DataRecord& rec : image.records) {
        if (!pending.bytes.empty()) {
            const bool followsOn = rec.address == expected;
            const bool fits = pending.bytes.size() + rec.data.size() <= kMaxRecordLength;
            if (!followsOn || !fits) flush();
        }
        if (pending.bytes.empty()) {
            pending.bytes = {'S',
                             '3',
                             0,
                             static_cast<Byte>(rec.address >> 24),
                             static_cast<Byte>(rec.address >> 16),
                             static_cast<Byte>(rec.address >> 8),
                             static_cast<Byte>(rec.address)};
        }
        pending.bytes.insert(pending.bytes.end(), rec.data.begin(), rec.data.end());
        pending.sourceEnd = rec.sourceEnd;
        expected = rec.address + static_cast<std::uint32_t>(rec.data.size());
        if (pending.bytes.size() > kPackThreshold) flush();
    }
    flush();
    return out;
}

}  // namespace varomil
