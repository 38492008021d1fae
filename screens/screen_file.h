// Reading host-screen files (*.SCR): a 20-byte header, then 2,080-byte records.
// The files come from anywhere, so the reader trusts nothing but the byte count.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/capture_file.h"
#include "settings/settings_image.h"

namespace varomil {

// The load buffer holds this many records; the rest of a longer file is ignored.
constexpr std::size_t kLoadBufferRecords = 100;
// The most bytes a load ever looks at.
constexpr std::size_t kScreenFileReadLimit =
    kCaptureHeaderSize + kLoadBufferRecords * kCapturedScreenSize;

// The whole records of the file, at most kLoadBufferRecords; the header is not
// examined and a trailing partial record is dropped.
std::vector<CapturedScreenBlock> readScreenRecords(const Byte* data, std::size_t size);

// The records of a file on disk; nothing when it cannot be opened or read.
std::optional<std::vector<CapturedScreenBlock>> readScreenFile(const std::string& path);

}  // namespace varomil
