#include "summary/summary_tree.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "common/windows_1252.h"
#include "settings/builtin_tables.h"
#include "settings/reader_bits.h"
#include "resources/version.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

namespace txt = lists;

// A value table seen through its size, so that rows of different tables fit one
// row type.
struct Names {
    const std::string_view* data = nullptr;
    std::size_t size = 0;
    template <std::size_t N>
    constexpr Names(const std::array<std::string_view, N>& a) : data(a.data()), size(N) {}
    constexpr Names() = default;
    std::string_view operator[](unsigned v) const {
        return v < size ? data[v] : std::string_view{};
    }
};

// Fills "%s", "%d" and "%2d" of a format, in order, with already formatted args.
std::string format(std::string_view fmt, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        const std::string_view rest = fmt.substr(i);
        std::size_t width = 0;
        std::size_t skip = 0;
        if (rest.substr(0, 2) == "%s" || rest.substr(0, 2) == "%d") {
            skip = 2;
        } else if (rest.substr(0, 3) == "%2d") {
            width = 2;
            skip = 3;
        }
        if (skip == 0 || arg == args.end()) {
            out += fmt[i];
            continue;
        }
        if (arg->size() < width) out.append(width - arg->size(), ' ');
        out += *arg++;
        i += skip - 1;
    }
    return out;
}

std::string num(long v) {
    return std::to_string(v);
}

std::string keyNames(const SettingsImage& image, Field f) {
    std::string out;
    for (const char ch : image.codes(f)) {
        out += keyName(static_cast<Byte>(ch));
        out += ' ';
    }
    return out;
}

std::string hexBytes(const SettingsImage& image, Field f, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const Byte b = image.byte(f, i);
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
        out += ' ';
    }
    return out;
}

SummaryItem leaf(std::string text) {
    return {std::move(text), {}};
}

// Builds the children of a flat list of rows, each with its depth below the
// parent (0 = direct child).
template <typename Row, std::size_t N, typename ItemOf>
std::vector<SummaryItem> nest(const Row (&rows)[N], ItemOf itemOf) {
    std::vector<SummaryItem> top;
    for (const Row& row : rows) {
        std::vector<SummaryItem>* level = &top;
        for (unsigned d = 0; d < row.depth && !level->empty(); ++d) {
            level = &level->back().children;
        }
        level->push_back(itemOf(row));
    }
    return top;
}

// ---- Image fields shown one per line ----

enum class Show : std::uint8_t { Named, Number, Text, KeyCodes, Selector };

struct FieldRow {
    std::string_view format;
    Field field;
    Show show;
    Names names;
};

std::string fieldText(const SettingsImage& image, const FieldRow& row) {
    const unsigned v = image.byte(row.field);
    switch (row.show) {
        case Show::Named:
            return format(row.format, {row.names[v]});
        case Show::Number:
            return format(row.format, {num(v)});
        case Show::Text:
            return format(row.format, {image.text(row.field)});
        case Show::KeyCodes:
            return format(row.format, {keyNames(image, row.field)});
        case Show::Selector:
            return format(row.format, {lookupName(txt::kKeySelector, v)});
    }
    return {};
}

template <std::size_t N>
void addFields(std::vector<SummaryItem>& to, const SettingsImage& image,
               const FieldRow (&rows)[N]) {
    for (const FieldRow& row : rows) to.push_back(leaf(fieldText(image, row)));
}

const FieldRow kSecurityRows[] = {
    {"Password : %s", fld::SystemPassword, Show::Text, {}},
    {"TCP/IP Settings : %s", fld::LockTcpIpSettings, Show::Named, txt::kFlag},
    {"Emulation Settings : %s", fld::LockEmulationSettings, Show::Named, txt::kFlag},
    {"Set Data & Time : %s", fld::LockDateTime, Show::Named, txt::kFlag},
};

const FieldRow kAdvancedRows[] = {
    {"Check Leading Code: %s", fld::CheckLeadingCode, Show::Named, txt::kFlag},
    {"Leading Code: %s", fld::LeadingCode, Show::Text, {}},
    {"Check Code Length : %s", fld::CheckCodeLength, Show::Named, txt::kFlag},
    {"Code Length : %d", fld::CodeLength, Show::Number, {}},
    {"Read Partial Code : %s", fld::ReadPartialCode, Show::Named, txt::kFlag},
    {"Start Position : %d", fld::PartialStartPosition, Show::Number, {}},
    {"Maximum Length : %d", fld::PartialMaxLength, Show::Number, {}},
    {"Add Prefix Code : %s", fld::AddPrefixCode, Show::Named, txt::kFlag},
    {"Prefix Code : %s", fld::PrefixCode, Show::KeyCodes, {}},
    {"Add Suffix Code : %s", fld::AddSuffixCode, Show::Named, txt::kFlag},
    {"Suffix Code : %s", fld::SuffixCode, Show::KeyCodes, {}},
    {"Auto Enter : %s", fld::AutoEnter, Show::Named, txt::kFlag},
    {"Good Beep : %s", fld::GoodBeep, Show::Named, txt::kGoodBeep},
    {"Scan Control : %s", fld::ScanControl, Show::Named, txt::kScanControl},
    {"Scan Enable Command : %s", fld::ScanEnableCommand, Show::KeyCodes, {}},
    {"Scan Disable Command : %s", fld::ScanDisableCommand, Show::KeyCodes, {}},
    {"Scan AutoEnter Command : %s", fld::ScanAutoEnterCommand, Show::KeyCodes, {}},
    {"Scan SwitchKey Name : %s", fld::ScanSwitchKey, Show::Selector, {}},
};

const FieldRow kIpRows[] = {
    {"%s DHCP Server", fld::DhcpEnable, Show::Named, txt::kFlag},
    {"Subnet Mask : %s", fld::SubnetMask, Show::Text, {}},
    {"Gateway : %s", fld::Gateway, Show::Text, {}},
    {"DNS Server : %s", fld::DnsServer, Show::Text, {}},
    {"Terminal IP : %s", fld::TerminalIp, Show::Text, {}},
    {"Local Name : %s", fld::LocalName, Show::Text, {}},
    {"SSID : %s", fld::Ssid, Show::Text, {}},
};

const FieldRow kEapRows[] = {
    {"EAP ID : %s", fld::EapId, Show::Text, {}},
    {"EAP Password : %s", fld::EapPassword, Show::Text, {}},
};

const FieldRow kLoginRows[] = {
    {"Login Name : %s", fld::LoginName, Show::Text, {}},
    {"Name Prompt: %s", fld::NamePrompt, Show::Text, {}},
    {"Login Name Key : %s", fld::LoginNameKey, Show::Selector, {}},
    {"Login Password : %s", fld::LoginPassword, Show::Text, {}},
    {"Password Prompt: %s", fld::PasswordPrompt, Show::Text, {}},
    {"Login Password Key : %s", fld::LoginPasswordKey, Show::Selector, {}},
    {"Logout Command : %s", fld::LogoutCommand, Show::Text, {}},
    {"Logout Key : %s", fld::LogoutKey, Show::Selector, {}},
};

const FieldRow kEmulationRows[] = {
    {"Emulation Type : %s", fld::TerminalType, Show::Text, {}},
    {"Font Size : %s", fld::FontSize, Show::Named, txt::kFontSize},
    {"Case Conversion : %s", fld::CaseConversion, Show::Named, txt::kCaseConversion},
};

const FieldRow kScrollRows[] = {
    {"Navigator : %s", fld::Navigator, Show::Named, txt::kNavigator},
    {"Navigator Key : %s", fld::NavigatorKey, Show::Selector, {}},
    {"Horizontal Steps : %d", fld::HorizontalSteps, Show::Number, {}},
    {"Vertical Steps : %d", fld::VerticalSteps, Show::Number, {}},
    {"View Org X : %d", fld::ViewOrgX, Show::Number, {}},
    {"View Org Y : %d", fld::ViewOrgY, Show::Number, {}},
    {"Cursor Tracking : %s", fld::CursorTracking, Show::Named, txt::kFlag},
    {"Trim Spaces : %s", fld::TrimSpaces, Show::Named, txt::kFlag},
    {"Local Echo : %s", fld::DisableLocalEcho, Show::Named, txt::kLocalEcho},
};

// ---- Bit fields of the stored 1D reader block ----

enum class Bit : std::uint8_t { Label, Named, Number, Length };

struct BitRow {
    std::uint8_t depth;
    std::string_view format;
    Bit kind;
    BitField at;                                // Named, Number
    const rb::LengthFields* lengths = nullptr;  // Length
    Names names{};
};

constexpr BitRow named(std::uint8_t depth, std::string_view fmt, BitField at, Names names) {
    return {depth, fmt, Bit::Named, at, nullptr, names};
}
constexpr BitRow flagBit(std::uint8_t depth, std::string_view fmt, BitField at) {
    return named(depth, fmt, at, txt::kFlag);
}
constexpr BitRow label(std::uint8_t depth, std::string_view text) {
    return {depth, text, Bit::Label, {}};
}
constexpr BitRow lengthGroup(const rb::LengthFields& lengths) {
    return {1, {}, Bit::Length, {}, &lengths};
}

const BitRow kReaderRows[] = {
    named(0, "Scan Mode : %s", rb::ScanMode, txt::kScanMode),
    named(0, "Read Redundancy : %s", rb::ReadRedundancy, txt::kReadRedundancy),
    {0, "Time Out : %d sec", Bit::Number, rb::ScanTimeout},
    flagBit(0, "Negative Barcode : %s", rb::NegativeBarcode),
};

const BitRow kSymbologyRows[] = {
    flagBit(0, "%s Code 39", rb::EnableCode39),
    flagBit(1, "Transmit Start / Stop : %s", rb::Code39TransmitStartStop),
    flagBit(1, "Verify Checksum : %s", rb::Code39VerifyChecksum),
    flagBit(1, "Transmit Checksum : %s", rb::Code39TransmitChecksum),
    flagBit(1, "Code 39 Full ASCII : %s", rb::Code39FullAscii),
    flagBit(0, "%s Italian Pharmacode", rb::EnableItalianPharma),
    flagBit(1, "Transmit Checksum : %s", rb::ItalianPharmaTransmitChecksum),
    flagBit(0, "%s French Pharmacode", rb::EnableFrenchPharma),
    flagBit(1, "Transmit Checksum : %s", rb::FrenchPharmaTransmitChecksum),
    flagBit(0, "%s Industrial 25", rb::EnableIndustrial25),
    named(1, "Start / Stop Selection : %s", rb::Industrial25StartStop, txt::kStartStopSelection),
    flagBit(1, "Verify Checksum : %s", rb::Industrial25VerifyChecksum),
    flagBit(1, "Transmit Checksum : %s", rb::Industrial25TransmitChecksum),
    lengthGroup(rb::Industrial25Lengths),
    flagBit(0, "%s Interleave 25", rb::EnableInterleave25),
    named(1, "Start / Stop Selection : %s", rb::Interleave25StartStop, txt::kStartStopSelection),
    flagBit(1, "Verify Checksum : %s", rb::Interleave25VerifyChecksum),
    flagBit(1, "Transmit Checksum : %s", rb::Interleave25TransmitChecksum),
    lengthGroup(rb::Interleave25Lengths),
    flagBit(0, "%s Matrix 25", rb::EnableMatrix25),
    named(1, "Start / Stop Selection : %s", rb::Matrix25StartStop, txt::kStartStopSelection),
    flagBit(1, "Verify Checksum : %s", rb::Matrix25VerifyChecksum),
    flagBit(1, "Transmit Checksum : %s", rb::Matrix25TransmitChecksum),
    lengthGroup(rb::Matrix25Lengths),
    flagBit(0, "%s Codabars", rb::EnableCodabar),
    named(1, "Start / Stop Character : %s", rb::CodabarStartStopType, txt::kCodabarStartStop),
    flagBit(1, "Transmitting Start / Stop Character : %s", rb::CodabarTransmitStartStop),
    flagBit(0, "%s MSI", rb::EnableMsi),
    named(1, "Checksum Verification : %s", rb::MsiVerification, txt::kMsiVerification),
    named(1, "Checksum Transmission : %s", rb::MsiTransmission, txt::kMsiTransmission),
    lengthGroup(rb::MsiLengths),
    flagBit(0, "%s Plessey", rb::EnablePlessey),
    flagBit(1, "Convert to UK Plessey : %s", rb::PlesseyConvertToUk),
    flagBit(1, "Transmit Checksum : %s", rb::PlesseyTransmitChecksum),
    label(0, "UPCE"),
    flagBit(1, "%s UPCE", rb::EnableUpce),
    flagBit(1, "%s UPCE Addon 2", rb::EnableUpceAddon2),
    flagBit(1, "%s UPCE Addon 5", rb::EnableUpceAddon5),
    flagBit(1, "Convert to UPCA : %s", rb::UpceConvertToUpca),
    flagBit(1, "Transmit Checksum : %s", rb::UpceTransmitChecksum),
    flagBit(1, "Transmit System Number : %s", rb::UpceTransmitSystemNumber),
    label(0, "EAN 8"),
    flagBit(1, "%s EAN 8", rb::EnableEan8),
    flagBit(1, "%s EAN 8 Addon 2", rb::EnableEan8Addon2),
    flagBit(1, "%s EAN 8 Addon 5", rb::EnableEan8Addon5),
    flagBit(1, "Convert to EAN 13 : %s", rb::Ean8ConvertToEan13),
    flagBit(1, "Transmit Checksum : %s", rb::Ean8TransmitChecksum),
    label(0, "EAN 13 & UPCA"),
    flagBit(1, "%s EAN 13 & UPCA", rb::EnableEan13),
    label(1, "EAN 13"),
    flagBit(2, "%s EAN 13 Addon 2", rb::EnableEan13Addon2),
    flagBit(2, "%s EAN 13 Addon 5", rb::EnableEan13Addon5),
    flagBit(2, "ISBN Conversion : %s", rb::Ean13IsbnConversion),
    flagBit(2, "ISSN Conversion : %s", rb::Ean13IssnConversion),
    flagBit(2, "Transmit Checksum : %s", rb::Ean13TransmitChecksum),
    label(1, "UPCA"),
    flagBit(2, "Convert to EAN 13 : %s", rb::UpcaConvertToEan13),
    flagBit(2, "Transmit Checksum : %s", rb::UpcaTransmitChecksum),
    flagBit(2, "Transmit System Number : %s", rb::UpcaTransmitSystemNumber),
    flagBit(0, "%s RSS 14", rb::EnableRss14),
    flagBit(1, "Transmit Code ID : %s", rb::Rss14TransmitCodeId),
    flagBit(1, "Transmit Application ID : %s", rb::Rss14TransmitAppId),
    flagBit(1, "Transmit Check Digit : %s", rb::Rss14TransmitCheckDigit),
    flagBit(0, "%s RSS 14 Limited", rb::EnableRssLimited),
    flagBit(1, "Transmit Code ID : %s", rb::RssLimitedTransmitCodeId),
    flagBit(1, "Transmit Application ID : %s", rb::RssLimitedTransmitAppId),
    flagBit(1, "Transmit Check Digit : %s", rb::RssLimitedTransmitCheckDigit),
    flagBit(0, "%s RSS 14 Expanded", rb::EnableRssExpanded),
    flagBit(1, "Transmit Code ID : %s", rb::RssExpandedTransmitCodeId),
    flagBit(0, "%s Telepen", rb::EnableTelepen),
    named(1, "%s", rb::TelepenNumeric, txt::kTelepenMode),
    flagBit(0, "%s Code 93", rb::EnableCode93),
    flagBit(0, "%s Code 128", rb::EnableCode128),
};

// The tree shows the stored 1D block of the image, whatever the working copy holds.
class ReaderBlock {
  public:
    explicit ReaderBlock(const SettingsImage& image) : image_(image) {}
    unsigned bits(BitField f) const {
        return (image_.byte(fld::Reader1DBlock, f.field.offset) >> f.shift) & f.mask();
    }

    SummaryItem item(const BitRow& row) const {
        switch (row.kind) {
            case Bit::Label:
                return leaf(std::string(row.format));
            case Bit::Named:
                return leaf(format(row.format, {row.names[bits(row.at)]}));
            case Bit::Number:
                return leaf(format(row.format, {num(bits(row.at))}));
            case Bit::Length:
                return lengthGroup(*row.lengths);
        }
        return {};
    }

    // "Length Qualification" with its two lengths.
    SummaryItem lengthGroup(const rb::LengthFields& f) const {
        const bool maxMin = bits(f.mode) != 0;
        const std::string first = num(bits(f.first));
        const std::string second = num(bits(f.second));
        SummaryItem group = leaf(
            format("Length Qualification : %s", {lookupName(txt::kLengthMode, maxMin ? 1 : 0)}));
        group.children.push_back(
            leaf(format("%s : %d", {maxMin ? "Max Length" : "Fixed Length 1", first})));
        group.children.push_back(
            leaf(format("%s : %d", {maxMin ? "Min Length" : "Fixed Length 2", second})));
        return group;
    }

    template <std::size_t N>
    std::vector<SummaryItem> rows(const BitRow (&table)[N]) const {
        return nest(table, [this](const BitRow& r) { return item(r); });
    }

  private:
    const SettingsImage& image_;
};

// ---- Roots ----

int tableProduct(int product) {
    // The loader never keeps another value; a hostile image shows as product 2.
    return product >= 1 && product <= kProductCount ? product : 2;
}

SummaryItem information(const SettingsImage& image, const SummaryContext& ctx) {
    const unsigned product = image.byte(fld::ProductIndex);
    const std::string model = product >= 1 && product <= ctx.productNames.size()
                                  ? ctx.productNames[product - 1]
                                  : std::string();
    constexpr std::size_t kNoticeMax = 99;
    return {"Information",
            {leaf(format("Terminal Model : %s %s", {ctx.maker, model})),
             leaf(format("Version : %s", {ctx.version})), leaf(ctx.notice.substr(0, kNoticeMax))}};
}

SummaryItem prompts(const SettingsImage& image, int product) {
    constexpr std::size_t kNameWidth = 30;
    SummaryItem group = leaf("Prompts and Messages");
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const PromptSection& section = promptSection(s);
        std::string name = promptSectionName(product, s);
        if (name.size() < kNameWidth) name.append(kNameWidth - name.size(), ' ');
        SummaryItem item = leaf(std::move(name));
        for (std::size_t line = 0; line < section.lines && line < section.slots; ++line) {
            item.children.push_back(leaf(image.text(slot::promptSlot(section.firstSlot + line))));
        }
        group.children.push_back(std::move(item));
    }
    return group;
}

SummaryItem system(const SettingsImage& image, int product) {
    SummaryItem root = leaf("System");
    auto& items = root.children;
    items.push_back(leaf(format("Power On : %s Program",
                                {lookupName(txt::kPowerOnMode, image.byte(fld::PowerOnMode))})));
    const long powerOff =
        image.byte(fld::AutoPowerOffLow) + 256L * image.byte(fld::AutoPowerOffHigh);
    items.push_back(leaf(format("Auto Power Off : %d seconds", {num(powerOff)})));
    items.push_back(leaf(format(
        "Backlight : %s", {lookupName(txt::kBacklightMode, image.byte(fld::BacklightMode))})));
    items.push_back(leaf(format("Turn off if idle for %d seconds",
                                {num(10L * image.byte(fld::BacklightIdleTime))})));
    items.push_back(leaf(format("Download via : %s",
                                {lookupName(txt::kDownloadVia, image.byte(fld::DownloadVia))})));
    items.push_back(leaf(
        format("Baud Rate : %s", {lookupName(txt::kBaudRate, image.byte(fld::DownloadBaudRate))})));
    items.push_back(
        leaf(format("Key Click : %s", {lookupName(txt::kFlag, image.byte(fld::KeyClick))})));
    items.push_back(
        leaf(format("Function Key : %s",
                    {lookupName(txt::kFunctionKeyLock, image.byte(fld::FunctionKeyLock))})));
    SummaryItem security = leaf("Security");
    addFields(security.children, image, kSecurityRows);
    items.push_back(std::move(security));
    items.push_back(prompts(image, product));
    return root;
}

SummaryItem barcode(const SettingsImage& image) {
    const ReaderBlock block(image);
    SummaryItem advanced = leaf("Advanced Settings");
    addFields(advanced.children, image, kAdvancedRows);
    return {"Barcode",
            {{"Reader Settings", block.rows(kReaderRows)},
             {"Barcode Parameters", block.rows(kSymbologyRows)},
             std::move(advanced)}};
}

SummaryItem wirelessLan(const SettingsImage& image) {
    SummaryItem ip = leaf("IP");
    addFields(ip.children, image, kIpRows);

    const unsigned flags = image.byte(fld::WlanSecurityFlags);
    const unsigned keyLength = image.byte(fld::WepKeyLength);
    SummaryItem security = leaf("Security");
    auto& s = security.children;
    s.push_back(leaf(format("Security : %s", {lookupName(txt::kAuthentication, flags & 1u)})));
    s.push_back(leaf(format("%s EAP", {lookupName(txt::kFlag, (flags >> 2) & 1u)})));
    addFields(s, image, kEapRows);
    s.push_back(leaf(format("%s WEP Key", {lookupName(txt::kFlag, (flags >> 1) & 1u)})));
    s.push_back(leaf(format("WEP Key Length : %s", {lookupName(txt::kWepKeyLength, keyLength)})));
    s.push_back(leaf(format("Active WEP Key %d", {num(image.byte(fld::ActiveWepKey) + 1L)})));
    const std::size_t keyBytes = keyLength == 1 ? 13 : 5;
    for (std::size_t k = 0; k < fld::kWepKeyCount; ++k) {
        s.push_back(leaf(format("WEP Key %d : %s", {num(static_cast<long>(k) + 1),
                                                    hexBytes(image, slot::wepKey(k), keyBytes)})));
    }
    s.push_back(leaf(format("WPA Passphrase: %s",
                            {hexBytes(image, fld::WpaPassphrase, fld::WpaPassphrase.width)})));

    SummaryItem login = leaf("Login");
    auto& l = login.children;
    l.push_back(
        leaf(format("Active Host IP or Name : %d", {num(image.byte(fld::ActiveHostIndex) + 1L)})));
    for (std::size_t h = 0; h < fld::kHostAddressCount; ++h) {
        l.push_back(leaf(format("Host IP or Name : %s", {image.text(slot::hostAddress(h))})));
    }
    l.push_back(leaf(format("Telnet Port : %d", {num(image.u16le(fld::TelnetPort))})));
    addFields(l, image, kLoginRows);
    return {"Wireless LAN", {std::move(ip), std::move(security), std::move(login)}};
}

std::string keyMappingText(const SettingsImage& image, std::size_t record) {
    const Field rec = slot::binding(record);
    const unsigned kind = image.byte(rec, 0);
    const std::string_view key = terminalKeyName(record);
    const std::string_view host = hostKeyName(image.byte(rec, 1));
    const std::string_view pad = "  ";
    if (kind != 0 && kind < txt::kModifier.size()) {
        return format("%s%s=>%s%s%s+%s%s", {key, pad, pad, txt::kModifier[kind], pad, pad, host});
    }
    std::string_view value = host;
    if (kind != 0)
        value = kind >= txt::kFirstRole ? lookupName(txt::kRole, kind - txt::kFirstRole)
                                        : std::string_view{};
    return format("%s%s=>%s%s", {key, pad, pad, value});
}

SummaryItem emulation(const SettingsImage& image, int product) {
    SummaryItem root = leaf("Emulation");
    addFields(root.children, image, kEmulationRows);
    SummaryItem scroll = leaf("Screen Scroll & Control");
    addFields(scroll.children, image, kScrollRows);
    root.children.push_back(std::move(scroll));

    SummaryItem keys = leaf("Function Key Mapping");
    const KeyAvailability available = keyAvailability(product);
    for (std::size_t n = 0; n < fld::kKeyRecordCount; ++n) {
        if (available[n]) keys.children.push_back(leaf(keyMappingText(image, n)));
    }
    root.children.push_back(std::move(keys));
    return root;
}

SummaryItem screen(const SettingsImage& image) {
    SummaryItem root = leaf("Screen");
    const unsigned font = image.byte(fld::FontSize);
    const std::size_t pages = std::min<std::size_t>(image.byte(fld::PageCount), fld::kPageCount);
    const std::string_view cursor =
        lookupName(txt::kCursorLocation, image.byte(fld::CursorLocationMode));
    for (std::size_t p = 0; p < pages; ++p) {
        const std::string number = num(static_cast<long>(p) + 1);
        const Layout* layout = layoutFor(image.byte(slot::pageLayout(p)), font);
        SummaryItem page = leaf(format("Page %2d", {number}));
        page.children.push_back(leaf(format("Reformat page %2d to %s",
                                            {number, layout ? layout->text : std::string_view{}})));
        page.children.push_back(leaf(format("Cursor location is specified by : %s", {cursor})));
        const std::size_t lines =
            layout ? std::min<std::size_t>(static_cast<std::size_t>(std::max(layout->lines, 0)),
                                           fld::kLinesPerPage)
                   : 0;
        for (std::size_t l = 0; l < lines; ++l) {
            SummaryItem line =
                leaf(format("Terminal Line No : %2d", {num(static_cast<long>(l) + 1)}));
            const std::string text = image.text(slot::lineText(p, l));
            if (!text.empty()) {
                line.children.push_back(leaf(format(
                    "Host Row, Column : %d, %d", {num(image.byte(slot::lineHostRow(p, l))),
                                                  num(image.byte(slot::lineHostColumn(p, l)))})));
                line.children.push_back(leaf(format("Terminal Screen : %s", {text})));
            }
            page.children.push_back(std::move(line));
        }
        root.children.push_back(std::move(page));
    }
    return root;
}

}  // namespace

std::vector<SummaryItem> buildSummaryTree(const SettingsImage& image, const SummaryContext& ctx) {
    const int stored = image.byte(fld::ProductIndex);
    if (stored == kProductNone) return {};
    const int product = tableProduct(stored);
    std::vector<SummaryItem> roots;
    roots.push_back(information(image, ctx));
    roots.push_back(system(image, product));
    roots.push_back(barcode(image));
    roots.push_back(wirelessLan(image));
    roots.push_back(emulation(image, product));
    roots.push_back(screen(image));
    return roots;
}

namespace {
void printItem(const SummaryItem& item, int depth, std::string& out) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += item.text;
    out += '\n';
    for (const SummaryItem& child : item.children) printItem(child, depth + 1, out);
}
}  // namespace

std::string printSummaryTree(const std::vector<SummaryItem>& roots) {
    std::string out;
    for (const SummaryItem& root : roots) printItem(root, 0, out);
    return out;
}

SummaryContext programSummaryContext() {
    // Kept equal to the resource strings; a test reads the resource script.
    return {"Dornwick",
            VAROMIL_VERSION_LABEL,
            "Settings prepared with Varomil for Dornwick handheld terminals.",
            {"4410/4420", "4630/4640", "4850"}};
}

std::string ansiToUtf8(std::string_view ansi) {
    return windows1252ToUtf8(ansi);
}

std::string summaryExportText(const std::vector<SummaryItem>& roots) {
    return ansiToUtf8(printSummaryTree(roots));
}

std::string summaryExportFile(const std::vector<SummaryItem>& roots, const std::string& source,
                              const std::string& date) {
    const std::string text =
        ansiToUtf8("Summary of " + (source.empty() ? "Untitled" : source) + ", " + date + "\n") +
        summaryExportText(roots);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t last = end;
        while (last > start && text[last - 1] == ' ') --last;
        out.append(text, start, last - start);
        out += "\r\n";
        start = end + 1;
    }
    return out;
}

}  // namespace varomil
