#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/symbology_dialogs.h"

namespace varomil {
namespace {

using Block = std::vector<Byte>;

Block pattern(Area area, int which) {
    Block b(area == Area::Reader1D ? kReader1DSize : kReader2DSize);
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] = which == 0 ? 0x00 : which == 1 ? 0xFF : static_cast<Byte>(0x5A ^ (i * 0x3B));
    }
    return b;
}

ByteSpan span(Block& b) {
    return {b.data(), b.size()};
}

struct Golden {
    std::string line;
    std::string dialog;
    DialogValues values;
    std::vector<std::array<unsigned, 3>> bytes;  // byte, value, mask
};

std::vector<Golden> readGoldens() {
    std::ifstream in(VAROMIL_TEST_DATA "/barcode/dialog_ok.txt");
    std::vector<Golden> out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        Golden g{line, {}, {}, {}};
        std::istringstream parts(line);
        std::string controls, expected;
        std::getline(parts, g.dialog, '|');
        std::getline(parts, controls, '|');
        std::getline(parts, expected);
        g.dialog = g.dialog.substr(0, g.dialog.find(' '));
        std::istringstream cs(controls);
        for (std::string tok; cs >> tok;) {
            const auto eq = tok.find('=');
            g.values[std::stoi(tok.substr(0, eq))] =
                eq == std::string::npos ? 1 : std::stoi(tok.substr(eq + 1));
        }
        std::istringstream es(expected);
        for (std::string tok; es >> tok;) {
            const auto colon = tok.find(':');
            const auto slash = tok.find('/');
            g.bytes.push_back(
                {static_cast<unsigned>(std::stoul(tok.substr(0, colon))),
                 static_cast<unsigned>(std::stoul(tok.substr(colon + 1), nullptr, 16)),
                 static_cast<unsigned>(std::stoul(tok.substr(slash + 1), nullptr, 16))});
        }
        out.push_back(std::move(g));
    }
    return out;
}

TEST(SymbologyDialogs, OkWritesExactlyTheDialogsOwnBitsFromAnyStartingBlock) {
    const std::vector<Golden> goldens = readGoldens();
    ASSERT_GE(goldens.size(), 60u);
    std::set<std::string> covered;
    Block image(16);
    for (const Golden& g : goldens) {
        SCOPED_TRACE(g.line);
        const SymbologyDialog* d = findSymbologyDialog(g.dialog);
        ASSERT_NE(d, nullptr);
        covered.insert(g.dialog);
        for (const ControlSpec& c : *d) {  // the line sets every control
            if (c.kind != ControlKind::Radio && c.kind != ControlKind::Grid) {
                EXPECT_TRUE(g.values.count(c.id)) << "control " << c.id;
            }
        }
        for (int p = 0; p < 3; ++p) {
            const Block start = pattern(d->block, p);
            Block b = start;
            openDialog(*d, span(b));
            commitDialog(*d, g.values, span(b), span(image));
            std::vector<unsigned> mask(b.size(), 0);
            for (const auto& [at, value, m] : g.bytes) {
                mask[at] = m;
                EXPECT_EQ(b[at] & m, value) << "byte " << at << " from pattern " << p;
            }
            for (std::size_t i = 0; i < b.size(); ++i) {
                EXPECT_EQ(b[i] & ~mask[i], start[i] & ~mask[i]) << "byte " << i << " pattern " << p;
            }
        }
    }
    EXPECT_EQ(symbologyDialogCount(), 30u);
    EXPECT_EQ(covered.size(), 30u);
}

TEST(SymbologyDialogs, CancelLeavesTheBlockAloneExceptCode39ReservedBits) {
    for (std::size_t i = 0; i < symbologyDialogCount(); ++i) {
        const SymbologyDialog& d = symbologyDialog(i);
        for (int p = 0; p < 3; ++p) {
            Block b = pattern(d.block, p);
            Block expected = b;
            if (d.templateName == "CODE39_2D_DLG") expected[5] &= 0xCF;
            openDialog(d, span(b));  // Cancel stores nothing more
            EXPECT_EQ(b, expected) << d.templateName;
        }
    }
}

// A stored value that no button or entry stands for is kept by an untouched OK.
TEST(SymbologyDialogs, UnlistedStoredValuesKeepTheirBits) {
    struct Case {
        const char* dialog;
        unsigned byte;
        Byte stored;
        Byte afterOk;
    };
    const Case cases[] = {
        {"MSIDLG", 9, 0xF0, 0xF0},           // verification 3, transmission 3
        {"INTERLEAVE25DLG", 6, 0x0C, 0x0C},  // start/stop 3
        {"MATRIX25DLG", 7, 0xC0, 0xC0},      // start/stop 3
        {"UPCA_2D_DLG", 2, 0x0A, 0x0A},      // supplementals 5
        {"EAN8_2D_DLG", 2, 0x0E, 0x0E},      // supplementals 7
        {"UPCE_2D_DLG", 1, 0x30, 0x30},      // preamble 3
        {"CODABARDLG", 7, 0x30, 0x00},       // "None" with a type: reopens as "None"
    };
    Block image(16);
    for (const Case& c : cases) {
        const SymbologyDialog* d = findSymbologyDialog(c.dialog);
        Block b = pattern(d->block, 0);
        b[c.byte] = c.stored;
        const Block start = b;
        const DialogValues shown = dialogValues(*d, span(b), span(image));
        commitDialog(*d, shown, span(b), span(image));
        EXPECT_EQ(b[c.byte], c.afterOk) << c.dialog;
        b[c.byte] = start[c.byte];
        EXPECT_EQ(b, start) << c.dialog;
    }
}

TEST(SymbologyDialogs, LengthRulesOfBothFamilies) {
    Block image(16);
    // 1D max/min: a 0 is taken as 1 and the larger goes first.
    const SymbologyDialog* i25 = findSymbologyDialog("INTERLEAVE25DLG");
    Block b = pattern(Area::Reader1D, 0);
    commitDialog(*i25, {{605, 1}, {201, 0}, {202, 0}}, span(b), span(image));
    EXPECT_EQ(b[14], 0x81);
    EXPECT_EQ(b[15], 0x01);
    // A value past the seven bits never reaches the mode bit.
    b = pattern(Area::Reader1D, 0);
    commitDialog(*i25, {{604, 1}, {201, 255}, {202, 200}}, span(b), span(image));
    EXPECT_EQ(b[14], 0x7F);
    EXPECT_EQ(b[15], 0x7F);
    // The labels follow the mode or option.
    EXPECT_EQ(lengthLabels(*i25, 1).first, "Max Length :");
    EXPECT_EQ(lengthLabels(*i25, 0).second, "Fixed Length 2:");
    const SymbologyDialog* c93 = findSymbologyDialog("CODE93_2D_DLG");
    EXPECT_EQ(lengthLabels(*c93, 3).first, "Min Len :");
    EXPECT_EQ(lengthLabels(*c93, 2).second, "Length 2 :");
    EXPECT_FALSE(lengthOptionChosen(0).first);
    EXPECT_TRUE(lengthOptionChosen(1).first && !lengthOptionChosen(1).second);
    EXPECT_TRUE(lengthOptionChosen(3).first && lengthOptionChosen(3).second);
}

TEST(SymbologyDialogs, SupplementalsAreOneValueForTheFourUpcEanDialogs) {
    Block image(16);
    Block b = pattern(Area::Reader2D, 2);
    commitDialog(*findSymbologyDialog("EAN8_2D_DLG"), {{401, 1}, {301, 0}}, span(b), span(image));
    for (const char* name : {"UPCA_2D_DLG", "UPCE_2D_DLG", "UPCE1_2D_DLG"}) {
        EXPECT_EQ(dialogValues(*findSymbologyDialog(name), span(b), span(image)).at(402), 1)
            << name;
    }
}

TEST(SymbologyDialogs, Interleaved25CheckBoxesAndVerificationExcludeEachOther) {
    I25Controls s{false, true, 0};
    i25Clicked(s, 302);  // transmit on: the conversion goes
    EXPECT_TRUE(s.transmitCheck && !s.toEan13);
    s.verify = 2;
    i25Clicked(s, 303);  // conversion on: transmit goes, verification to " No verify"
    EXPECT_TRUE(s.toEan13 && !s.transmitCheck);
    EXPECT_EQ(s.verify, 0);
    i25VerifyChosen(s, 1);  // USS drops the conversion
    EXPECT_FALSE(s.toEan13);
    i25Clicked(s, 302);
    i25Clicked(s, 302);  // unchecking touches nothing else
    EXPECT_FALSE(s.transmitCheck || s.toEan13);
    // The combo shows OPCC before USS.
    Block b = pattern(Area::Reader2D, 0);
    b[14] = 0x42;
    EXPECT_EQ(i25VerifyShown(span(b)), 2);
    b[14] = 0x40;
    EXPECT_EQ(i25VerifyShown(span(b)), 1);
}

}  // namespace
}  // namespace varomil
