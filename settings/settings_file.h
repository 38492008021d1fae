// The *.NET settings file: the settings image followed by the 50 captured host
// screens. Reading migrates older versions; writing replaces the previous file
// only once the new one is complete.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/builtin_tables.h"
#include "settings/settings_image.h"

namespace varomil {

constexpr std::size_t kCapturedScreensSize = kCapturedScreenCount * kCapturedScreenSize;
constexpr std::size_t kSettingsFileSize = kSettingsImageSize + kCapturedScreensSize;
static_assert(kSettingsFileSize == 163659);

// Room of the current-file-name buffer, the terminating NUL included.
constexpr std::size_t kSettingsFileNameCapacity = 256;

// The version tag as read: the format letter and the number behind it.
struct FileVersion {
    char letter;  // 'V', 'I', or another byte (then number is 0)
    long number;  // decimal number of bytes 1..4 of the tag; 0 without digits
};
FileVersion readFileVersion(const Byte* tag, std::size_t size);

enum class LoadResult {
    Loaded,              // read and migrated as needed
    ReplacedByDefaults,  // too old or unknown format: factory settings of product 1
    TooShort,            // not even a whole image: memory untouched
    CannotOpen,          // memory untouched
    ReadError,           // memory untouched
    CaptureFile,         // a host-screen file (*.SCR): memory untouched
};
// True when the settings in memory now come from the file (even as defaults).
constexpr bool succeeded(LoadResult r) {
    return r == LoadResult::Loaded || r == LoadResult::ReplacedByDefaults;
}

// Why a file was not loaded, in one sentence for the user; empty for Loaded.
std::string_view loadFailureText(LoadResult r);

// Reads a settings file from memory. Image and companions are only changed when
// the result succeeded; bytes behind kSettingsFileSize are ignored, but size must be
// the whole file's, or a host-screen file may pass for settings. productCount is
// the number of products the program knows.
LoadResult loadSettingsBytes(const Byte* data, std::size_t size, SettingsImage& image,
                             Companions& c, int productCount = kProductCount);
LoadResult readSettingsFile(const std::string& path, SettingsImage& image, Companions& c,
                            int productCount = kProductCount);

// The file's bytes; stores the working reader blocks into the image first.
std::vector<Byte> settingsFileBytes(SettingsImage& image, const Companions& c);

// Puts the finished temporary file in place of the target; true on success. The
// target must either stay as it was or be the complete new file afterwards.
using ReplaceFileHook = bool (*)(const std::string& temporary, const std::string& target);

// Portable replacement: a rename that replaces the target in one step (POSIX
// rename; MoveFileEx with MOVEFILE_REPLACE_EXISTING in the Windows runtime). Where
// a rename cannot replace, the old file is moved aside first and moved back if the
// new one cannot take its place, so one complete file always exists. The Windows
// shell may pass its own hook built on ReplaceFile, or on MoveFileEx with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, for a write-through replace.
bool portableReplaceFile(const std::string& temporary, const std::string& target);

// Name of the temporary file written beside the target.
std::string temporaryFileName(const std::string& target);

// Writes the file to a temporary sibling, checks every write and the close, then
// replaces the target. False on any failure; the target is then left as it was and
// the temporary removed.
bool writeSettingsFile(const std::string& path, SettingsImage& image, const Companions& c,
                       ReplaceFileHook replace = portableReplaceFile);

// The name Save As uses for the name the user chose: kept when it ends in ".NET"
// (any case) after at least one more character, else with ".NET" appended. No
// name when the result would not fit kSettingsFileNameCapacity or the choice is unusable.
std::optional<std::string> saveAsFileName(std::string_view chosen);

}  // namespace varomil
