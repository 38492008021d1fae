#include "settings/factory_defaults.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace varomil {
namespace {

// The image a product's factory defaults must give, written from the field
// tables by offset: every byte inside a named field has an expected value, every
// byte outside them must be zero.
class ExpectedImage {
  public:
    ExpectedImage() : value_(kSettingsImageSize, 0), mask_(kSettingsImageSize, false) {}

    template <typename Range>
    void bytes(std::size_t offset, const Range& v) {
        for (int b : v) set(offset++, static_cast<Byte>(b));
    }
    void bytes(std::size_t offset, std::initializer_list<int> v) { bytes<>(offset, v); }
    // A text (or byte string) followed by zero bytes to the slot's width.
    void text(std::size_t offset, std::size_t width, std::string_view s) {
        for (std::size_t i = 0; i < width; ++i) {
            set(offset + i, i < s.size() ? static_cast<Byte>(s[i]) : 0);
        }
    }
    void repeat(std::size_t offset, std::size_t count, int v) {
        for (std::size_t i = 0; i < count; ++i) set(offset + i, static_cast<Byte>(v));
    }

    // Offsets of all differences, at most a few, as a readable text.
    std::string mismatches(const SettingsImage& image) const {
        std::string out;
        int shown = 0;
        for (std::size_t i = 0; i < kSettingsImageSize && shown < 12; ++i) {
            const Byte want = mask_[i] ? value_[i] : 0;
            if (image.bytes()[i] != want) {
                out += (mask_[i] ? "field byte " : "unnamed byte ") + std::to_string(i) + ": " +
                       std::to_string(image.bytes()[i]) + " instead of " + std::to_string(want) +
                       "\n";
                ++shown;
            }
        }
        return out;
    }

  private:
    void set(std::size_t offset, Byte v) {
        value_.at(offset) = v;
        mask_.at(offset) = true;
    }
    std::vector<Byte> value_;
    std::vector<bool> mask_;
};

// Factory texts of the 68 prompt slots, product 1 and products 2/3, each
// slot's text ended by '|'.
const char kPromptsNarrow[] =
    "1. Telnet|2. Utilities|||1.TCP/IP Setting|2.Emulation para|3.Reader Test|"
    "4.Backlight|5.Batt. Voltage|6.Set Date/Time|7.Baud rate|8.Download|"
    "1. Subnet Mask|2. Gateway|3. DHCP Server|4. SSID|5. Terminal IP|"
    "6. Host IP/Name|7. Telnet Port|8. View Settings|1.Emulation Type|2.Login Name|"
    "3.Login Password|4.Navigator|5.H scroll steps|6.V scroll steps|7.Cursor Track|"
    "|Turn OFF backlit|Turn ON  backlit|Backlit off if|idle for _0 sec.|1. None|"
    "2. Icon|3. 20x15|4. 32x24|1.Via Cradle|2.Via RS-232|3.Via IrDA|4.Via RF|"
    "Batt Voltage||Main:|Backup:|Connecting..||Press ESC to|cancel.|Downloading|"
    "Please wait|Download OK!|Download NG!|Data too short!|Data too long!|"
    "Err leading code|Press any key...|Wrong Password!|Wrong Value!|||"
    "Input Password|[Up/DOWN] select|[Enter]: confirm|[ ESC ]: cancel| Current :|"
    " New :|||";
const char kPromptsWide[] =
    "1. Telnet|2. Utilities|||1.TCP/IP Settings|2.Emulation settings|3.Reader Test|"
    "4.Backlight|5.Battery Voltage|6.Set Date & Time|7.Baud rate|8.Download|"
    "1. Subnet Mask|2. Default Gateway|3. DHCP Server|4. SSID|5. Terminal IP|"
    "6. Host IP or Name|7. Telnet Port|8. View Settings|1. Emulation Type|"
    "2. Login Name|3. Login Password|4. Navigator|5. Hori scroll steps|"
    "6. Vert scroll steps|7. Cursor Tracking||Turn OFF backlight|"
    "Turn ON  backlight|Turn baclight off if|idle for _0 seconds.|1. None|2. Icon|"
    "3. 20x15|4. 32x24|1.Via Cradle-IR|2.Via RS-232|3.Via IrDA|4.Via RF|"
    "Battery Voltage||Main:|Backup:|Connecting...||Press ESC to|cancel.|"
    "Downloading...|Please wait...|Download OK!|Download failed|Data is too short!|"
    "Data is too long!|Wrong leading code!|Press any key...|Wrong Password!|"
    "Wrong Value!|||Input Password|[Up/DOWN] to select|[Enter]: to confirm|"
    "[ ESC ]: to cancel| Current :| New :|||";
// Slots per section and the display widths of product 1 and products 2/3.
const int kSectionSlots[12] = {4, 8, 8, 8, 4, 4, 4, 4, 4, 4, 8, 8};
const int kNarrowWidth[12] = {12, 16, 16, 16, 16, 12, 12, 12, 12, 12, 16, 16};
const int kWideWidth[12] = {15, 20, 20, 20, 20, 15, 15, 15, 15, 15, 20, 20};

std::string promptText(int product, int slotIndex) {
    int section = 0;
    for (int first = 0; slotIndex >= first + kSectionSlots[section]; ++section) {
        first += kSectionSlots[section];
    }
    std::string_view all = product == 1 ? kPromptsNarrow : kPromptsWide;
    for (int n = 0; n < slotIndex; ++n) all.remove_prefix(all.find('|') + 1);
    std::string s(all.substr(0, all.find('|')));
    const int width = product == 1 ? kNarrowWidth[section] : kWideWidth[section];
    s.resize(static_cast<std::size_t>(width), ' ');
    return s;
}

// Factory reader configuration blocks, 1D and 2D.
const std::array<Byte, 23> kReader1D{0x9B, 0xC9, 0x00, 0x3F, 0x80, 0x2D, 0x54, 0x80,
                                     0x00, 0x19, 0x3D, 0x00, 0xFF, 0x01, 0xFE, 0x01,
                                     0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03};
const std::array<Byte, 45> kReader2D{0xD8, 0x57, 0x80, 0x06, 0xE0, 0x80, 0,    0,    0,   0, 0,
                                     0,    0,    0,    0x80, 0,    0,    0,    0,    0,   0, 0,
                                     0,    0,    0,    0,    0xFF, 0x80, 0xE0, 0x9C, 0x39};

ExpectedImage expectedDefaults(int product) {
    ExpectedImage e;
    e.text(0, 5, "V106");
    e.bytes(5, {product});
    // System settings
    e.bytes(25, {0, 180, 1, 0, 2, 0, 0, 0, 0, 0});
    e.repeat(50, 10, 0);
    e.bytes(60, {0, 0, 0, product == 1 ? 1 : 0});
    e.repeat(64, 10, 0);
    // Prompt texts: the padded text and its NUL; product 0 leaves them empty.
    for (int n = 0; n < 68; ++n) {
        e.text(82 + 41 * static_cast<std::size_t>(n), 41,
               product == 0 ? "" : promptText(product, n));
    }
    // Reader1DBlock
    e.bytes(3690, kReader1D);
    // Barcode data handling and scanner control
    e.bytes(3713, {0});
    e.repeat(3714, 10, 0);
    e.bytes(3724, {0});
    e.repeat(3725, 10, 0);
    e.bytes(3735, {1, 0});
    e.repeat(3737, 10, 0);
    e.bytes(3747, {0, 1, 0, 1, 50, 1, 0});
    e.bytes(3754, {0x1B, '[', '9', '9', 'h', 0});
    e.bytes(3760, {0x1B, '[', '9', '9', 'l', 0});
    e.repeat(3766, 6, 0);
    e.repeat(3772, 4, 0);
    e.bytes(3776, {2, 0, 0});
    // Network, host and login
    e.text(3783, 24, "255.255.128.0");
    e.text(3807, 24, "192.168.1.250");
    e.text(3831, 24, "0.0.0.0");
    e.bytes(3855, {1});
    e.text(3856, 24, "192.168.1.241");
    e.text(3880, 20, "");
    e.text(3900, 50, "192.168.1.100");
    e.repeat(3950, 200, 0);
    e.bytes(4150, {0, 23, 0, 1, 0, 0});
    e.repeat(4156, 64, 0);
    e.text(4220, 33, "");
    e.text(4253, 33, "");
    e.text(4286, 20, "WLAN");
    e.text(4306, 20, "new");
    e.bytes(4326, {0});
    e.text(4327, 20, "wicks");
    e.bytes(4347, {0, 0});
    e.text(4349, 10, "EXIT");
    e.bytes(4359, {0, 0});
    e.text(4361, 15, "login:");
    e.text(4376, 15, "password:");
    e.bytes(4391, {0});
    e.bytes(33, {0});
    // Emulation and feedback
    e.bytes(4449, {0, 0, 0, 0, 0, 1, 0, 19, 7, 0, 0, 1, 0, 0, 0, 20, 0});
    e.text(4467, 30, "vt100");
    e.bytes(4497, {0});
    e.repeat(4498, 12, 0);
    e.bytes(4510, {14, 5, 0, 0, 0, 0, 0, 0, 0, 0});
    e.bytes(4520, {30, 7, 0, 5, 30, 7, 0, 0, 0, 0});
    e.bytes(4530, {14, 5, 0, 0, 0, 0, 0, 0, 0, 0});
    e.bytes(4540, {0, 0, 0, 0, 0});
    // Function-key records and sequences: FN+1..FN+9 send F1..F9.
    e.repeat(4565, 400, 0);
    for (int n = 1; n <= 9; ++n) e.bytes(4565 + 3 * static_cast<std::size_t>(n), {0, n, 0});
    const char* const fkeys[] = {"\x1bOP",   "\x1bOQ",   "\x1bOR",   "\x1bOS",  "\x1b[15~",
                                 "\x1b[17~", "\x1b[18~", "\x1b[19~", "\x1b[20~"};
    for (std::size_t n = 1; n <= 9; ++n) e.text(4715 + 5 * n, 5, fkeys[n - 1]);
    // Screen reformatting
    e.repeat(4965, 54217 - 4965, 0);
    e.repeat(54217, 1200 + 1000, 0);
    e.bytes(56417, {20});
    e.repeat(56418, 41, 0);
    e.repeat(56459, 1200, 1);
    // Tail
    e.bytes(58659, kReader2D);
    e.bytes(58759, {1, 0, 0, 0, 0, 0, 128, 44, 0, 4, 1, 1, 0});
    return e;
}

// Image and companions are large: keep them off the stack.
struct State {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> c = std::make_unique<Companions>();
};

// A product outside the table (7) selects none (0).
TEST(FactoryDefaults, EveryByteOfTheImageForEachProduct) {
    for (int product : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE("product " + std::to_string(product));
        State s;
        s.image->bytes().fill(0xA5);  // whatever an earlier configuration left
        applyFactoryDefaults(*s.image, *s.c, product);
        EXPECT_EQ(expectedDefaults(product == 7 ? 0 : product).mismatches(*s.image), "");
    }
}

TEST(FactoryDefaults, CompanionsTakeTheirFactoryState) {
    State s;
    for (CapturedScreenBlock& b : s.c->capturedScreens) b.fill(0x33);
    s.c->reader1D.fill(0x77);
    s.c->functionKeys.setEntry(0, 5, {0x1B, '[', '9', '9', '~'});
    applyFactoryDefaults(*s.image, *s.c, 2);

    EXPECT_EQ(s.c->reader1D, kReader1D);
    EXPECT_EQ(s.c->reader2D, kReader2D);
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

struct SectionCase {
    const char* name;
    void (*run)(SettingsImage&, Companions&);
    Ranges written;
};

Ranges promptRanges(int product) {
    Ranges r;
    for (int n = 0; n < 68; ++n) {
        const std::size_t len = product == 0 ? 0 : promptText(product, n).size();
        r.push_back({82 + 41 * static_cast<std::size_t>(n), len + 1});
    }
    return r;
}

Ranges screenRanges() {
    Ranges r{{4965, 52}, {54217, 57659 - 54217}};
    for (std::size_t k = 0; k < 1200; ++k) r.push_back({5017 + 41 * k, 1});
    return r;
}

std::vector<SectionCase> sectionCases(int product) {
    return {
        {"system",
         [](SettingsImage& i, Companions&) { defaultSystemSettings(i); },
         {{25, 8}, {34, 1}, {50, 10}, {60, 4}, {64, 10}}},
        {"prompts", [](SettingsImage& i, Companions&) { defaultPromptTexts(i); },
         promptRanges(product)},
        {"barcode",
         [](SettingsImage& i, Companions& c) { defaultBarcodeSettings(i, c); },
         {{3690, 23}, {3713, 66}, {4497, 46}, {58659, 45}, {58759, 13}}},
        {"network",
         [](SettingsImage& i, Companions& c) { defaultNetworkSettings(i, c); },
         {{33, 1}, {3783, 4392 - 3783}}},
        {"emulation",
         [](SettingsImage& i, Companions& c) { defaultEmulationSettings(i, c); },
         {{4449, 17}, {4467, 30}, {4543, 2}}},
        {"function keys",
         [](SettingsImage& i, Companions& c) { defaultFunctionKeyMap(i, c); },
         {{4565, 400}}},
        {"screens", [](SettingsImage& i, Companions& c) { defaultScreenPages(i, c); },
         screenRanges()},
    };
}

// Each Reset writes its own fields with the factory values and leaves every other
// byte of an edited image as it was (the WPA passphrase, ReaderType, the
// reserved bytes and the bytes behind a prompt's NUL among them).
TEST(FactoryDefaults, SectionResetTouchesOnlyItsOwnFields) {
    for (int product : {0, 1, 2}) {
        State fresh;
        applyFactoryDefaults(*fresh.image, *fresh.c, product);
        for (const SectionCase& sc : sectionCases(product)) {
            SCOPED_TRACE(std::string(sc.name) + ", product " + std::to_string(product));
            State s;
            std::mt19937 random(12345);
            for (Byte& b : s.image->bytes()) b = static_cast<Byte>(random());
            s.image->bytes()[5] = static_cast<Byte>(product);
            // No selector holds a key here, so no role changes the key records.
            for (std::size_t sel : {3777u, 4326u, 4347u, 4348u, 4455u}) s.image->bytes()[sel] = 0;
            s.c->functionKeys = fresh.c->functionKeys;
            const SettingsImage before = *s.image;
            sc.run(*s.image, *s.c);

            std::vector<bool> written(kSettingsImageSize, false);
            for (const auto& [offset, count] : sc.written) {
                for (std::size_t i = offset; i < offset + count; ++i) written[i] = true;
            }
            for (std::size_t i = 0; i < kSettingsImageSize; ++i) {
                const Byte want = written[i] ? fresh.image->bytes()[i] : before.bytes()[i];
                ASSERT_EQ(s.image->bytes()[i], want) << "offset " << i;
            }
        }
    }
}

}  // namespace
}  // namespace varomil
