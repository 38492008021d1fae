#include "settings/settings_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "host/capture_file.h"
#include "settings/factory_defaults.h"

namespace varomil {

namespace {

constexpr long kOldestVersion = 100;
constexpr long kFirstWithBeepSequences = 106;
constexpr long kFirstWithScanCommands = 103;
constexpr int kFallbackProduct = 2;  // unknown product byte in a file
constexpr int kDefaultsProduct = 1;  // too old a file

// Where the older scanner-command area kept its "controlled by command" switch.
constexpr std::size_t kOldScanControlOffset = 3763;
constexpr Field kScanCommandArea{fld::ScanEnableCommand.offset, 18};
static_assert(kScanCommandArea.end() == fld::ScanAutoEnterCommand.end());

constexpr Byte kGoodBeepStart[] = {14, 5};
constexpr Byte kErrorBeepStart[] = {30, 7, 0, 5, 30, 7};
constexpr Byte kLocalBeepStart[] = {14, 5};

bool isBlank(Byte b) {
    return b == ' ' || (b >= '\t' && b <= '\r');
}

void writeCurrentTag(SettingsImage& image) {
    image.fill(fld::VersionTag, 0);
    image.setText(fld::VersionTag, kCurrentVersionTag);
}

void migrate(SettingsImage& image, Companions& c, const FileVersion& v) {
    if (v.letter == 'V' && v.number < kFirstWithBeepSequences) {
        // Only the leading bytes: the rest of each field stays as read.
        image.setRaw(fld::GoodBeepSequence, kGoodBeepStart, sizeof kGoodBeepStart);
        image.setRaw(fld::ErrorBeepSequence, kErrorBeepStart, sizeof kErrorBeepStart);
        image.setRaw(fld::LocalBeepSequence, kLocalBeepStart, sizeof kLocalBeepStart);
    }
    if (v.letter == 'V' && v.number < kFirstWithScanCommands) {
        const bool byCommand = image.bytes()[kOldScanControlOffset] != 0;
        image.setByte(fld::ScanControl, byCommand ? 1 : 0);
        image.fill(kScanCommandArea, 0);
    }
    if (v.letter == 'I') {
        // Screens and key map of that format do not fit this one.
        image.setByte(fld::ScreensPresent, 0);
        image.setByte(fld::PageCount, 0);
        for (CapturedScreenBlock& screen : c.capturedScreens) screen.fill(0);
        defaultFunctionKeyMap(image, c);
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

FileVersion readFileVersion(const Byte* tag, std::size_t size) {
    if (size == 0) return {0, 0};
    const char letter = static_cast<char>(tag[0]);
    if (letter != 'V' && letter != 'I') return {letter, 0};
    // The number lies in the rest of the tag only, never beyond it.
    const std::size_t end = std::min(size, fld::VersionTag.width);
    std::size_t i = 1;
    while (i < end && isBlank(tag[i])) ++i;
    bool negative = false;
    if (i < end && (tag[i] == '+' || tag[i] == '-')) negative = tag[i++] == '-';
    long number = 0;
    for (; i < end && tag[i] >= '0' && tag[i] <= '9'; ++i) {
        const int digit = tag[i] - '0';
        number = number > (LONG_MAX - digit) / 10 ? LONG_MAX : number * 10 + digit;
    }
    return {letter, negative ? -number : number};
}

LoadResult loadSettingsBytes(const Byte* data, std::size_t size, SettingsImage& image,
                             Companions& c, int productCount) {
    if (isCaptureFile(data, size, size)) return LoadResult::CaptureFile;
    if (data == nullptr || size < kSettingsImageSize) return LoadResult::TooShort;
    size = std::min(size, kSettingsFileSize);

    // Work on copies so that nothing in memory changes before the load succeeded.
    auto newImage = std::make_unique<SettingsImage>();
    auto newCompanions = std::make_unique<Companions>(c);
    std::memcpy(newImage->bytes().data(), data, kSettingsImageSize);

    const int product = newImage->byte(fld::ProductIndex);
    if (product < 1 || product > kProductCount) {
        newImage->setByte(fld::ProductIndex, static_cast<Byte>(kFallbackProduct));
    }

    // Screen bytes the file does not have are cleared, not kept from before.
    const Byte* screens = data + kSettingsImageSize;
    std::size_t available = size - kSettingsImageSize;
    for (CapturedScreenBlock& screen : newCompanions->capturedScreens) {
        const std::size_t n = std::min(available, screen.size());
        std::memcpy(screen.data(), screens, n);
        std::fill(screen.begin() + static_cast<std::ptrdiff_t>(n), screen.end(), Byte{0});
        screens += n;
        available -= n;
    }

    const FileVersion version = readFileVersion(data, fld::VersionTag.width);
    LoadResult result = LoadResult::Loaded;
    if (version.number < kOldestVersion || newImage->byte(fld::ProductIndex) > productCount) {
        applyFactoryDefaults(*newImage, *newCompanions, kDefaultsProduct);
        result = LoadResult::ReplacedByDefaults;
    } else {
        migrate(*newImage, *newCompanions, version);
    }
    writeCurrentTag(*newImage);
    rebuildFunctionKeyTable(*newImage, newCompanions->functionKeys);
    loadReaderBlocks(*newImage, *newCompanions);

    image = *newImage;
    c = *newCompanions;
    return result;
}

LoadResult readSettingsFile(const std::string& path, SettingsImage& image, Companions& c,
                            int productCount) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return LoadResult::CannotOpen;
    std::vector<Byte> data(kSettingsFileSize);
    const std::size_t got = std::fread(data.data(), 1, data.size(), file.get());
    // A capture file is known by its whole length, which may lie past the layout.
    std::uintmax_t total = got;
    for (Byte rest[4096]; got == data.size();) {
        const std::size_t n = std::fread(rest, 1, sizeof rest, file.get());
        if (n == 0) break;
        total += n;
    }
    if (std::ferror(file.get())) return LoadResult::ReadError;
    if (isCaptureFile(data.data(), got, total)) return LoadResult::CaptureFile;
    return loadSettingsBytes(data.data(), got, image, c, productCount);
}

std::vector<Byte> settingsFileBytes(SettingsImage& image, const Companions& c) {
    storeReaderBlocks(image, c);
    std::vector<Byte> out;
    out.reserve(kSettingsFileSize);
    out.insert(out.end(), image.bytes().begin(), image.bytes().end());
    for (const CapturedScreenBlock& screen : c.capturedScreens) {
        out.insert(out.end(), screen.begin(), screen.end());
    }
    return out;
}

std::string temporaryFileName(const std::string& target) {
    return target + ".tmp";
}

bool portableReplaceFile(const std::string& temporary, const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(target, ec)) return false;
    // Replaces an existing file in one step where the platform can (POSIX rename,
    // MoveFileEx on Windows).
    fs::rename(temporary, target, ec);
    if (!ec) return true;
    if (!fs::is_regular_file(target, ec)) return false;
    // Rename would not replace: keep the old file under a side name until the new
    // one is in place, so that one complete file always exists under some name.
    const std::string aside = target + ".old";
    fs::remove(aside, ec);
    fs::rename(target, aside, ec);
    if (ec) return false;
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::rename(aside, target, ec);
        return false;
    }
    fs::remove(aside, ec);
    return true;
}

bool writeSettingsFile(const std::string& path, SettingsImage& image, const Companions& c,
                       ReplaceFileHook replace) {
    if (path.empty() || replace == nullptr) return false;
    const std::string temporary = temporaryFileName(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const std::vector<Byte> bytes = settingsFileBytes(image, c);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = replace(temporary, path);
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

std::optional<std::string> saveAsFileName(std::string_view chosen) {
    if (chosen.empty() || chosen.find('\0') != std::string_view::npos) return std::nullopt;
    std::string name(chosen);
    const std::string_view ext = ".net";
    const bool hasExtension =
        name.size() > ext.size() &&
        std::equal(ext.begin(), ext.end(), name.end() - static_cast<std::ptrdiff_t>(ext.size()),
                   [](char a, char b) {
                       return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
                   });
    if (!hasExtension) name += ".NET";
    if (name.size() + 1 > kSettingsFileNameCapacity) return std::nullopt;
    return name;
}

std::string_view loadFailureText(LoadResult r) {
    switch (r) {
        case LoadResult::CannotOpen:
            return "Can't open the file!";
        case LoadResult::TooShort:
            return "The file is too short to be a settings file.";
        case LoadResult::ReadError:
            return "Error reading the file.";
        case LoadResult::ReplacedByDefaults:
            return "The file is not a settings file of a known version.";
        case LoadResult::CaptureFile:
            return "The file is a host-screen capture file, not a settings file.";
        case LoadResult::Loaded:
            break;
    }
    return {};
}

}  // namespace varomil
