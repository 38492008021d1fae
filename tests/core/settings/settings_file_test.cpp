#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "host/capture_file.h"
#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace varomil {
namespace {

namespace fs = std::filesystem;

struct Settings {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Byte& at(std::size_t offset) { return image->bytes()[offset]; }
};

Settings defaults(int product) {
    Settings s;
    applyFactoryDefaults(*s.image, *s.comp, product);
    return s;
}

std::vector<Byte> fileOf(const Settings& s) {
    std::vector<Byte> out(s.image->bytes().begin(), s.image->bytes().end());
    for (const CapturedScreenBlock& b : s.comp->capturedScreens)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

void setTag(std::vector<Byte>& file, const char* tag) {
    for (std::size_t i = 0; i < 5; ++i) file[i] = 0;
    for (std::size_t i = 0; tag[i] && i < 5; ++i) file[i] = static_cast<Byte>(tag[i]);
}

std::vector<Byte> readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path freshDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::temp_directory_path() /
                         (std::string("varomil_") + info->test_suite_name() + "_" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A product-2 file with marks in places no migration may touch.
std::vector<Byte> markedFile(const char* tag) {
    Settings s = defaults(2);
    s.at(6) = 0x11;  // reserved
    s.image->setText(fld::Ssid, "SITE");
    s.image->fill(fld::GoodBeepSequence, 0x77);
    s.image->fill(fld::ErrorBeepSequence, 0x77);
    s.image->fill(fld::LocalBeepSequence, 0x77);
    s.image->fill(fld::ScanEnableCommand, 0x41);  // 3754..3759
    s.at(3763) = 5;
    s.at(3771) = 9;
    s.image->setByte(fld::ScanControl, 2);
    s.comp->capturedScreens[7][100] = 'X';
    std::vector<Byte> f = fileOf(s);
    setTag(f, tag);
    return f;
}

LoadResult load(const std::vector<Byte>& f, Settings& s, std::size_t size = SIZE_MAX) {
    return loadSettingsBytes(f.data(), std::min(size, f.size()), *s.image, *s.comp);
}

TEST(SettingsFileSave, DefaultsGiveTheFullLayoutWithTagAndProduct) {
    const fs::path path = freshDir() / "a.NET";
    Settings s = defaults(2);
    s.comp->capturedScreens[49][2079] = 0x5A;
    ASSERT_TRUE(writeSettingsFile(path.string(), *s.image, *s.comp));
    const std::vector<Byte> bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(std::vector<Byte>(bytes.begin(), bytes.begin() + 6),
              (std::vector<Byte>{'V', '1', '0', '6', 0, 2}));
    EXPECT_EQ(bytes[163658], 0x5A);
    EXPECT_FALSE(fs::exists(path.string() + ".tmp"));

    // Save stores the working reader blocks, and a load gives everything back.
    s.comp->reader1D[0] = 0x42;
    ASSERT_TRUE(writeSettingsFile(path.string(), *s.image, *s.comp));
    EXPECT_EQ(readAll(path)[3690], 0x42);
    Settings back;
    EXPECT_EQ(readSettingsFile(path.string(), *back.image, *back.comp), LoadResult::Loaded);
    EXPECT_EQ(back.image->bytes(), s.image->bytes());
    EXPECT_EQ(back.comp->capturedScreens, s.comp->capturedScreens);
    EXPECT_EQ(back.comp->reader1D[0], 0x42);
}

TEST(SettingsFileLoad, MigratesEachOlderVersion) {
    const auto cases = readCases("settings/migrations.txt");
    ASSERT_EQ(cases.size(), 3u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        std::vector<Byte> f = markedFile(c[0].c_str());
        Settings s;
        ASSERT_EQ(load(f, s), LoadResult::Loaded);
        std::string changed;
        for (std::size_t i = 5; i < kSettingsImageSize; ++i) {
            if (f[i] != s.at(i)) changed += std::to_string(i) + "=" + std::to_string(s.at(i)) + " ";
        }
        EXPECT_EQ(changed, c.at(1) == "-" ? "" : c[1] + " ");
        EXPECT_EQ(std::make_tuple(s.image->text(fld::VersionTag), s.comp->capturedScreens[7][100],
                                  s.comp->reader1D[0]),
                  std::make_tuple("V106", 'X', 0x9B));
        // The scanner control comes from byte 3763 of a V102 file.
        f[3763] = 0;
        ASSERT_EQ(load(f, s), LoadResult::Loaded);
        EXPECT_EQ(s.image->byte(fld::ScanControl), c[0] == "V102" ? 0 : 2);
    }
}

TEST(SettingsFileLoad, OlderFormatKeepsSettingsButResetsScreensAndKeyMap) {
    Settings src = defaults(2);
    src.image->setText(fld::Ssid, "SITE");
    src.image->setByte(fld::ScreensPresent, 1);
    src.image->setByte(fld::PageCount, 3);
    src.image->setText(slot::lineText(0, 0), "kept");
    src.comp->capturedScreens[0][0] = 'A';
    src.comp->capturedScreens[49][2079] = 'Z';
    src.image->setByte(slot::binding(5), 1, 0);  // FN+5 => Shift + F12
    src.image->setByte(slot::binding(5), 12, 1);
    src.image->setByte(fld::LoginNameKey, 2);  // FN+2, role not yet marked
    std::vector<Byte> f = fileOf(src);
    setTag(f, "I100");

    Settings s;
    ASSERT_EQ(load(f, s), LoadResult::Loaded);
    const SettingsImage& i = *s.image;
    EXPECT_EQ(
        std::make_tuple(i.text(fld::Ssid), i.byte(fld::ScreensPresent), i.byte(fld::PageCount),
                        i.text(slot::lineText(0, 0)), i.text(fld::VersionTag)),
        std::make_tuple("SITE", 0, 0, "kept", "V106"));
    for (const CapturedScreenBlock& b : s.comp->capturedScreens)
        EXPECT_EQ(b, CapturedScreenBlock{});
    // FN+5 is F5 again; FN+2 is given the "Name Key" role again.
    EXPECT_EQ(std::make_tuple(i.byte(slot::binding(5), 0), i.byte(slot::binding(5), 1),
                              i.codes(slot::sequence(5)), i.byte(slot::binding(2), 0)),
              std::make_tuple(0, 5, "\x1b[15~", 201));
}

// The fix-up of products 0 and 7 to 2 runs before the count check: with one known
// product, every file but a product-1 file falls back to product 1's factory settings.
TEST(SettingsFileLoad, ProductByteAndProductCount) {
    const Settings one = defaults(1);
    const struct {
        Byte product;
        int count;
        LoadResult result;
    } cases[] = {{0, kProductCount, LoadResult::Loaded}, {7, kProductCount, LoadResult::Loaded},
                 {0, 1, LoadResult::ReplacedByDefaults}, {2, 1, LoadResult::ReplacedByDefaults},
                 {7, 1, LoadResult::ReplacedByDefaults}, {1, 1, LoadResult::Loaded}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.product) + " of " + std::to_string(c.count));
        std::vector<Byte> f = markedFile("V106");
        f[5] = c.product;
        Settings s;
        ASSERT_EQ(loadSettingsBytes(f.data(), f.size(), *s.image, *s.comp, c.count), c.result);
        if (c.result == LoadResult::ReplacedByDefaults) {
            EXPECT_EQ(s.image->bytes(), one.image->bytes());
        } else {
            EXPECT_EQ(s.image->byte(fld::ProductIndex), c.product == 1 ? 1 : 2);
            EXPECT_EQ(s.image->text(fld::Ssid), "SITE");
        }
    }
}

TEST(SettingsFileLoad, UnknownOrTooOldTagsGiveProductOneDefaults) {
    const Settings want = defaults(1);
    for (const char* tag : {"V", "X106", "V-5", "V099", "I99", "", "v106"}) {
        std::vector<Byte> f = markedFile(tag);
        Settings s;
        EXPECT_EQ(load(f, s), LoadResult::ReplacedByDefaults) << tag;
        EXPECT_EQ(s.image->bytes(), want.image->bytes()) << tag;
        EXPECT_EQ(s.comp->capturedScreens[7][100], 0) << tag;
    }
    // Only the tag's own bytes count: "V99999999999" reads as version 9999, and its
    // fifth digit sits in the product byte.
    std::vector<Byte> f = markedFile("V106");
    const char* longTag = "V99999999999";
    std::copy(longTag, longTag + 12, f.begin());
    Settings s;
    EXPECT_EQ(load(f, s), LoadResult::Loaded);
    EXPECT_EQ(s.image->byte(fld::ProductIndex), 2);
    EXPECT_EQ(s.image->byte(fld::ErrorBeepSequence, 6), 0x77);  // no migration

    const auto version = [](const char* tag, std::size_t n) {
        return readFileVersion(reinterpret_cast<const Byte*>(tag), n).number;
    };
    EXPECT_EQ(std::make_tuple(version("V +10", 5), version("I1037", 5), version("I1037", 3)),
              std::make_tuple(10, 1037, 10));
}

TEST(SettingsFileLoad, ShortOrUnreadableFilesLeaveMemoryUntouched) {
    Settings s = defaults(3);
    s.comp->capturedScreens[1][1] = 0x33;
    const SettingsImage imageBefore = *s.image;
    const auto screensBefore = s.comp->capturedScreens;
    std::vector<Byte> f = markedFile("V106");
    EXPECT_EQ(load(f, s, kSettingsImageSize - 1), LoadResult::TooShort);
    EXPECT_EQ(loadSettingsBytes(nullptr, 0, *s.image, *s.comp), LoadResult::TooShort);
    const fs::path dir = freshDir();
    EXPECT_EQ(readSettingsFile((dir / "missing.NET").string(), *s.image, *s.comp),
              LoadResult::CannotOpen);
    EXPECT_FALSE(succeeded(readSettingsFile(dir.string(), *s.image, *s.comp)));  // a folder
    EXPECT_EQ(s.image->bytes(), imageBefore.bytes());
    EXPECT_EQ(s.comp->capturedScreens, screensBefore);
}

// A host-screen file starts like a version-100 settings file; from 29 screens on it
// is long enough to pass for one. Read as settings it must be refused, whatever its
// length, and memory must stay as it was.
TEST(SettingsFileLoad, HostScreenFilesAreRefused) {
    Settings s = defaults(3);
    const SettingsImage before = *s.image;
    const fs::path dir = freshDir();
    for (std::size_t screens : {0, 1, 29, 50, 100}) {
        std::vector<Byte> f(kCaptureHeaderSize + screens * kCapturedScreenSize, 'A');
        const auto header = captureFileHeader();
        std::copy(header.begin(), header.end(), f.begin());
        EXPECT_EQ(load(f, s), LoadResult::CaptureFile) << screens;
        const fs::path p = dir / "dock.SCR";
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
        EXPECT_EQ(readSettingsFile(p.string(), *s.image, *s.comp), LoadResult::CaptureFile)
            << screens;
        // One byte more or less and it is no capture: a long one then loads as settings.
        f.push_back(0);
        EXPECT_NE(load(f, s), LoadResult::CaptureFile) << screens;
        *s.image = before;
    }
    EXPECT_EQ(s.image->bytes(), before.bytes());
    EXPECT_EQ(loadFailureText(LoadResult::CaptureFile),
              "The file is a host-screen capture file, not a settings file.");
    // A settings file keeps loading although its tag is the capture's.
    std::vector<Byte> f = markedFile("V100");
    EXPECT_EQ(load(f, s), LoadResult::Loaded);
}

TEST(SettingsFileLoad, ShortScreenPartClearsWhatTheFileLacks) {
    Settings s = defaults(2);
    for (CapturedScreenBlock& b : s.comp->capturedScreens) b.fill(0xAA);
    std::vector<Byte> f = markedFile("V106");
    for (std::size_t i = kSettingsImageSize; i < f.size(); ++i) f[i] = 0x55;
    const std::size_t size = kSettingsImageSize + kCapturedScreenSize + 920;
    ASSERT_EQ(load(f, s, size), LoadResult::Loaded);
    const auto& screens = s.comp->capturedScreens;
    EXPECT_EQ(s.image->text(fld::Ssid), "SITE");
    EXPECT_EQ(std::make_tuple(screens[0][2079], screens[1][919], screens[1][920]),
              std::make_tuple(0x55, 0x55, 0));
    EXPECT_EQ(s.comp->capturedScreens[2], CapturedScreenBlock{});

    // A longer file is read up to the layout's end.
    f.resize(f.size() + 10, 0xEE);
    EXPECT_EQ(load(f, s), LoadResult::Loaded);
    EXPECT_EQ(s.comp->capturedScreens[49][2079], 0x55);
}

TEST(SettingsFileSaveAs, NamingRule) {
    const auto cases = readCases("settings/save_as_names.txt");
    ASSERT_EQ(cases.size(), 10u);
    for (const auto& c : cases) {
        const std::string want = unescaped(c.at(1));
        EXPECT_EQ(saveAsFileName(unescaped(c[0])),
                  want == "-" ? std::nullopt : std::optional<std::string>(want))
            << c[0];
    }
}

bool refuseReplace(const std::string&, const std::string&) {
    return false;
}

TEST(SettingsFileSave, FailuresAreReportedAndKeepThePreviousFile) {
    const fs::path dir = freshDir();
    const std::string target = (dir / "site.NET").string();
    Settings s = defaults(2);
    ASSERT_TRUE(writeSettingsFile(target, *s.image, *s.comp));
    const std::vector<Byte> old = readAll(target);
    s.image->setText(fld::Ssid, "NEW");

    EXPECT_FALSE(writeSettingsFile(target, *s.image, *s.comp, refuseReplace));
    EXPECT_FALSE(writeSettingsFile((dir / "no" / "such.NET").string(), *s.image, *s.comp));
    fs::create_directory(dir / "folder.NET");
    EXPECT_FALSE(writeSettingsFile((dir / "folder.NET").string(), *s.image, *s.comp));
    EXPECT_TRUE(fs::is_directory(dir / "folder.NET"));

#ifndef _WIN32
    // A full disk: the file size limit cuts the write short.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeSettingsFile(target, *s.image, *s.comp);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
#endif
    EXPECT_EQ(readAll(target), old);
    EXPECT_FALSE(fs::exists(target + ".tmp"));
    EXPECT_FALSE(fs::exists(dir / "folder.NET.tmp"));
}

}  // namespace
}  // namespace varomil
