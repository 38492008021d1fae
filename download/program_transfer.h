// The program download: the loader handshake, the flash erase and the transfer of
// the program as packed S3 records, each acknowledged by the loader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "download/download_ui.h"
#include "download/link.h"
#include "download/srecord.h"

namespace varomil {

// The chosen program file as the shell opens it (exclusive read of an existing
// file).
class ProgramFile {
  public:
    virtual ~ProgramFile() = default;
    virtual bool open(const std::string& name) = 0;
    // Size of the open file; false when it cannot be read.
    virtual bool size(std::uint64_t& bytes) = 0;
    // Reads up to max bytes; 0 at the end or on failure.
    virtual std::size_t read(Byte* buf, std::size_t max) = 0;
    // Harmless when not open.
    virtual void close() = 0;
};

enum class ProgramReadResult { Ok, ReadFailed, Invalid };

// Reads the open file from its current position to its size and checks it
// (the file is opened or reopened at its start before). `error` holds the
// message for the user: the download error, or what is wrong with which line.
ProgramReadResult loadProgram(ProgramFile& file, ProgramImage& image, std::string& error);

constexpr std::string_view kLoaderWake = "\r";
constexpr std::string_view kLoaderQuery = "QUORVEL\r";
constexpr std::string_view kLoaderDownload = "DOWNLOAD\r";
constexpr std::string_view kLoaderErase = ":ERASE\r";
constexpr int kLoaderPasses = 3;
constexpr int kRecordSends = 3;
constexpr std::uint32_t kEraseQuietMs = 5000;
// A loader that keeps saying it is not ready is given up after this long.
constexpr std::uint32_t kEraseLimitMs = 120000;

bool loaderHandshake(Link& link, DownloadUi& ui);
bool eraseFlash(Link& link, DownloadUi& ui);
// Sends the packed records and the end record; advances the progress (0..100)
// and counts the records. False without a message when the user cancelled
// (DownloadUi::cancelled, asked before each record).
bool sendProgram(Link& link, DownloadUi& ui, const ProgramImage& image);

}  // namespace varomil
