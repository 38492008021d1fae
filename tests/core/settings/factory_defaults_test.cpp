#include "settings/factory_defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/core/golden.h"
#include "tests/core/settings/default_image_digest.h"

namespace varomil {
namespace {

// Rows of 32 bytes that hold anything but zeros, as offset, hex and text: the
// defaults' golden files are these dumps.
std::string dump(const SettingsImage& image) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t row = 0; row < kSettingsImageSize; row += 32) {
        const std::size_t end = std::min(row + 32, kSettingsImageSize);
        if (std::all_of(&image.bytes()[row], &image.bytes()[0] + end, [](Byte b) { return !b; }))
            continue;
        std::string line = std::to_string(row), text;
        line.insert(0, 6 - line.size(), ' ');
        for (std::size_t i = row; i < end; ++i) {
            const Byte b = image.bytes()[i];
            line += {' ', hex[b >> 4], hex[b & 15]};
            text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
        }
        out += line + "  |" + text + "|\n";
    }
    return out;
}

// Image and companions are large: keep them off the stack.
struct State {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> c = std::make_unique<Companions>();
};

// Every byte of each product's image is in a golden file. A product outside the
// table (7) selects none (0).
TEST(FactoryDefaults, EveryByteOfTheImageForEachProduct) {
    for (int product : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE("product " + std::to_string(product));
        State s;
        s.image->bytes().fill(0xA5);  // whatever an earlier configuration left
        applyFactoryDefaults(*s.image, *s.c, product);
        expectGolden("factory_defaults_product" + std::to_string(product % 7) + ".txt",
                     dump(*s.image));
    }
}

TEST(FactoryDefaults, CompanionsTakeTheirFactoryState) {
    State s;
    for (CapturedScreenBlock& b : s.c->capturedScreens) b.fill(0x33);
    s.c->reader1D.fill(0x77);
    s.c->functionKeys.setEntry(0, 5, {0x1B, '[', '9', '9', '~'});
    applyFactoryDefaults(*s.image, *s.c, 2);

    // The working reader blocks are the image's.
    const auto& bytes = s.image->bytes();
    EXPECT_TRUE(std::equal(s.c->reader1D.begin(), s.c->reader1D.end(), &bytes[3690]));
    EXPECT_TRUE(std::equal(s.c->reader2D.begin(), s.c->reader2D.end(), &bytes[58659]));
    EXPECT_EQ(s.c->reader1D[0], 0x9B);
    EXPECT_EQ(s.c->reader2D[0], 0xD8);
    EXPECT_EQ(s.c->functionKeys.entry(0, 5), (KeyCode{0x1B, '[', '1', '5', '~'}));
    EXPECT_EQ(s.c->functionKeys.entry(1, 5), (KeyCode{0x1B, '[', 'K', 0, 0}));
    // The 80 leading bytes and rows 0..23 are cleared; row 24 is kept.
    for (const CapturedScreenBlock& b : s.c->capturedScreens) {
        for (std::size_t i = 0; i < 2000; ++i) ASSERT_EQ(b[i], 0) << i;
        for (std::size_t i = 2000; i < 2080; ++i) ASSERT_EQ(b[i], 0x33) << i;
    }
}

// Byte ranges {offset, count} a section operation may write.
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

Ranges writtenBy(const std::string& section, const SettingsImage& fresh) {
    Ranges r;
    for (const auto& c : readCases("settings/section_ranges.txt")) {
        std::istringstream in(c.at(1));
        for (std::size_t at, n; c[0] == section && in >> at && in.ignore() >> n;)
            r.push_back({at, n});
    }
    for (std::size_t n = 0; section == "prompts" && n < 68; ++n)  // a text and its NUL
        r.push_back({82 + 41 * n, fresh.text(slot::promptSlot(n)).size() + 1});
    for (std::size_t k = 0; section == "screens" && k < 1200; ++k) r.push_back({5017 + 41 * k, 1});
    return r;
}

const std::pair<const char*, void (*)(SettingsImage&, Companions&)> kSections[] = {
    {"system", [](SettingsImage& i, Companions&) { defaultSystemSettings(i); }},
    {"prompts", [](SettingsImage& i, Companions&) { defaultPromptTexts(i); }},
    {"barcode", defaultBarcodeSettings},
    {"network", [](SettingsImage& i, Companions& c) { defaultNetworkSettings(i, c); }},
    {"emulation", [](SettingsImage& i, Companions& c) { defaultEmulationSettings(i, c); }},
    {"function keys", defaultFunctionKeyMap},
    {"screens", defaultScreenPages},
};

// Each Reset writes its own fields with the factory values and leaves every other
// byte of an edited image as it was (the WPA passphrase, ReaderType, the
// reserved bytes and the bytes behind a prompt's NUL among them).
TEST(FactoryDefaults, SectionResetTouchesOnlyItsOwnFields) {
    for (int product : {0, 1, 2}) {
        State fresh;
        applyFactoryDefaults(*fresh.image, *fresh.c, product);
        for (const auto& [name, reset] : kSections) {
            SCOPED_TRACE(std::string(name) + ", product " + std::to_string(product));
            State s;
            std::mt19937 random(12345);
            for (Byte& b : s.image->bytes()) b = static_cast<Byte>(random());
            s.image->bytes()[5] = static_cast<Byte>(product);
            // No selector holds a key here, so no role changes the key records.
            for (std::size_t sel : {3777u, 4326u, 4347u, 4348u, 4455u}) s.image->bytes()[sel] = 0;
            s.c->functionKeys = fresh.c->functionKeys;
            const SettingsImage before = *s.image;
            reset(*s.image, *s.c);

            std::vector<bool> written(kSettingsImageSize, false);
            for (const auto& [offset, count] : writtenBy(name, *fresh.image)) {
                for (std::size_t i = offset; i < offset + count; ++i) written[i] = true;
            }
            for (std::size_t i = 0; i < kSettingsImageSize; ++i) {
                const Byte want = written[i] ? fresh.image->bytes()[i] : before.bytes()[i];
                ASSERT_EQ(s.image->bytes()[i], want) << "offset " << i;
            }
        }
    }
}

TEST(FactoryDefaultsDigest, MatchesTheDigestTheWindowsBuildChecks) {
    for (int product = 0; product <= 3; ++product) {
        State s;
        applyFactoryDefaults(*s.image, *s.c, product);
        const auto digest = defaultsDigest(*s.image, *s.c);
        EXPECT_EQ(digest, kDefaultsDigest[product])
            << "product " << product << std::hex << " digest 0x" << digest;
    }
}

}  // namespace
}  // namespace varomil
