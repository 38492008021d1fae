// The checks of a site batch before anything is sent, and the image each terminal
// gets against the pages' own rules.
#include "site/site_plan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "common/windows_1252.h"
#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

std::string trim(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// The factory image as the pages' apply leaves it, so that only what the values
// change shows.
SettingsImage factoryImage() {
    SettingsImage image;
    Companions companions;
    applyFactoryDefaults(image, companions, 1);
    applySitePages(image, ~0u);
    return image;
}

// The image's bytes that differ from `base`: each site field whole, other runs by offset.
std::string changes(const SettingsImage& base, const SettingsImage& image) {
    std::string out;
    const auto hex = [&](std::size_t from, std::size_t to) {
        std::string h;
        for (std::size_t i = from; i < to; ++i) {
            char b[4];
            std::snprintf(b, sizeof b, " %02X", image.bytes()[i]);
            h += b;
        }
        return h;
    };
    for (std::size_t i = 0; i < kSettingsImageSize; ++i) {
        if (base.bytes()[i] == image.bytes()[i]) continue;
        std::size_t end = i + 1;
        std::string name = std::to_string(i);
        for (const SiteField& f : siteFields()) {
            const Field at = f.control.at.field;
            if (f.control.at.count == 0 && i >= at.offset && i < at.end()) {
                name = std::string(f.name) + " " + std::to_string(at.offset);
                i = at.offset;
                end = at.end();
                if (f.control.kind == ControlKind::Number &&
                    f.control.storage == NumberStorage::SplitLowHigh) {
                    end = i + 1;
                }
            }
        }
        while (name.find(' ') == std::string::npos && end < kSettingsImageSize &&
               base.bytes()[end] != image.bytes()[end]) {
            ++end;
        }
        out += "    " + name + ":" + hex(i, end) + "\n";
        i = end - 1;
    }
    return out;
}

TEST(SitePlan, EveryInputCheckedBeforeAnythingIsSent) {
    std::istringstream cases(readGolden("site/plans.txt"));
    const SettingsImage base = factoryImage();
    std::string out;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream parts(line);
        std::string sets, allow, count, table;
        std::getline(parts, sets, '|');
        std::getline(parts, allow, '|');
        std::getline(parts, count, '|');
        std::getline(parts, table);
        SiteInput input;
        std::istringstream words(sets);
        for (std::string w; words >> w;) input.sets.push_back(unescaped(w));
        input.allow = trim(allow);
        input.count = trim(count).empty() ? 0 : std::stoi(count);
        if (!trim(table).empty()) {
            input.tableName = "dock.csv";
            input.tableBytes = unescaped(trim(table));
        }
        SitePlan plan;
        std::string error;
        out += line + "\n";
        if (!buildSitePlan(input, base, plan, error)) {
            out += "  " + error + "\n";
            continue;
        }
        out += "  allowed: " + plan.allow.describe() + "\n";
        const std::size_t terminals = std::max<std::size_t>(plan.terminals.size(), 1);
        for (std::size_t t = 0; t < terminals; ++t) {
            if (t < plan.terminals.size()) {
                const SiteTerminal& st = plan.terminals[t];
                out += "  row " + std::to_string(st.row) + " line " + std::to_string(st.line) +
                       (st.localName.empty() ? "" : " " + windows1252ToUtf8(st.localName)) +
                       (st.connectFrom ? " from " + formatIpv4(*st.connectFrom) : "") + "\n";
            }
            SettingsImage image;
            plan.imageFor(t, image);
            out += changes(base, image);
        }
    }
    expectGolden("site/plans.golden", out);
}

// The page's own rules, spelled out: a text tidied with zeros after it, the port
// two bytes low first, a value of the row over the one of /set, the file's image
// itself untouched.
TEST(SitePlan, ImageBytesFollowThePage) {
    SettingsImage base = factoryImage();
    base.fill(fld::LocalName, 'q');
    const SettingsImage file = base;
    SiteInput input;
    input.sets = {"TelnetPort=5000", "LocalName=ALL"};
    input.tableName = "dock.csv";
    input.tableBytes = "LocalName,ConnectFrom\r\nWH-17,127.0.0.3\r\n,127.0.0.2\r\n";
    SitePlan plan;
    std::string error;
    ASSERT_TRUE(buildSitePlan(input, base, plan, error)) << error;
    SettingsImage image;
    plan.imageFor(0, image);
    const auto bytes = [&](Field f) {
        return std::string(reinterpret_cast<const char*>(image.bytes().data()) + f.offset, f.width);
    };
    EXPECT_EQ(bytes(fld::LocalName), "WH-17" + std::string(15, '\0'));
    EXPECT_EQ(bytes(fld::TelnetPort), "\x88\x13");
    plan.imageFor(1, image);
    EXPECT_EQ(bytes(fld::LocalName), "ALL" + std::string(17, '\0'));
    EXPECT_EQ(plan.rowFrom(0x7F000002), 1u);
    EXPECT_EQ(plan.rowFrom(0x7F000003), 0u);
    EXPECT_FALSE(plan.rowFrom(0x7F000004));
    EXPECT_TRUE(plan.hasConnectFrom());
    EXPECT_EQ(base.bytes(), file.bytes());
    EXPECT_EQ(plan.base.bytes(), file.bytes());

    SitePlan none;
    ASSERT_TRUE(buildSitePlan({}, base, none, error));
    none.imageFor(3, image);
    EXPECT_EQ(image.bytes(), file.bytes());  // nothing given: the file's image as it is
    EXPECT_FALSE(none.hasConnectFrom());
    EXPECT_TRUE(none.allow.allowsEveryone());
}

}  // namespace
}  // namespace varomil
