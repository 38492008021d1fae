#include <gtest/gtest.h>

#include <algorithm>
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

// The user's actions, in order: control id and value (check box 0/1, the chosen
// radio button 1, combo entry, number).
using Actions = std::vector<std::pair<int, int>>;

// What the dialog does with each action: the control's store into the block (as
// the control table does), then the dialog's own change rules.
void act(const SymbologyDialog& d, ByteSpan block, ByteSpan image, const Actions& actions) {
    for (const auto& [id, v] : actions) {
        for (const ControlSpec& c : d) {
            if (c.id != id) continue;
            const ByteSpan area = c.at.area == Area::Image ? image : block;
            if (c.kind == ControlKind::Check) storeCheck(c, area, v != 0);
            if (c.kind == ControlKind::Radio && v) storeRadio(c, area);
            if (c.kind == ControlKind::Combo) storeSelection(c, area, v);
            if (c.kind == ControlKind::Number) storeNumber(c, area, static_cast<unsigned>(v));
        }
        if (d.extra == DialogExtra::I25Verify && id == 402) storeI25Verify(block, v);
        dialogChanged(d, block, id);
    }
}

// Opening, the actions, then OK.
void confirm(const SymbologyDialog& d, ByteSpan block, const Actions& actions) {
    Byte image[16] = {};
    openDialog(d, block);
    act(d, block, {image, sizeof image}, actions);
    finishDialogOk(d, block);
}

struct Golden {
    std::string line;
    std::string dialog;
    Actions values;
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
            g.values.emplace_back(std::stoi(tok.substr(0, eq)),
                                  eq == std::string::npos ? 1 : std::stoi(tok.substr(eq + 1)));
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
    for (const Golden& g : goldens) {
        SCOPED_TRACE(g.line);
        const SymbologyDialog* d = findSymbologyDialog(g.dialog);
        ASSERT_NE(d, nullptr);
        covered.insert(g.dialog);
        for (const ControlSpec& c : *d) {  // the line sets every control
            if (c.kind != ControlKind::Radio && c.kind != ControlKind::Grid) {
                EXPECT_TRUE(std::any_of(g.values.begin(), g.values.end(),
                                        [&c](const auto& a) { return a.first == c.id; }))
                    << "control " << c.id;
            }
        }
        for (int p = 0; p < 3; ++p) {
            const Block start = pattern(d->block, p);
            Block b = start;
            confirm(*d, span(b), g.values);
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
        {"CODABARDLG", 7, 0x30, 0x00},       // a type without the transmit flag is "None"
    };
    for (const Case& c : cases) {
        const SymbologyDialog* d = findSymbologyDialog(c.dialog);
        Block b = pattern(d->block, 0);
        b[c.byte] = c.stored;
        for (const ControlSpec& row : *d) {
            if (row.kind == ControlKind::Combo && row.at.field.offset == c.byte) {
                EXPECT_EQ(storedSelection(row, span(b)), -1) << c.dialog;
            }
            if (row.kind == ControlKind::Radio && row.at.field.offset == c.byte) {
                EXPECT_EQ(storedRadio(row, span(b)),
                          d->extra == DialogExtra::CodabarNone && row.id == 601)
                    << c.dialog;
            }
        }
        const Block start = b;
        confirm(*d, span(b), {});
        EXPECT_EQ(b[c.byte], c.afterOk) << c.dialog;
        b[c.byte] = start[c.byte];
        EXPECT_EQ(b, start) << c.dialog;
    }
}

TEST(SymbologyDialogs, LengthRulesOfBothFamilies) {
    // 1D max/min: a 0 is taken as 1 and the larger goes first.
    const SymbologyDialog* i25 = findSymbologyDialog("INTERLEAVE25DLG");
    Block b = pattern(Area::Reader1D, 0);
    confirm(*i25, span(b), {{605, 1}, {201, 0}, {202, 0}});
    EXPECT_EQ(b[14], 0x81);
    EXPECT_EQ(b[15], 0x01);
    // A value past the seven bits never reaches the mode bit.
    b = pattern(Area::Reader1D, 0);
    confirm(*i25, span(b), {{604, 1}, {201, 255}, {202, 127}});
    EXPECT_EQ(b[14], 0x7F);
    EXPECT_EQ(b[15], 0x7F);
    // A stored minimum past 127 is taken as 127 before it moves up.
    b[14] = 0x8A;
    b[15] = 200;
    confirm(*i25, span(b), {});
    EXPECT_EQ(b[14], 0xFF);
    EXPECT_EQ(b[15], 0x0A);
    // 2D: a new option empties the lengths it starts using.
    const SymbologyDialog* c93 = findSymbologyDialog("CODE93_2D_DLG");
    b = pattern(Area::Reader2D, 1);
    act(*c93, span(b), {}, {{401, 1}});
    EXPECT_EQ(b[9], 0x00);
    EXPECT_EQ(b[10], 0xFF);
    act(*c93, span(b), {}, {{201, 5}, {202, 6}, {401, 3}});
    EXPECT_EQ(b[9] | b[10], 0x00);
    // Lengths the user did not touch are stored as they were, past 127 too.
    b = pattern(Area::Reader2D, 0);
    b[8] = 0x40;  // "Two Lengths"
    b[9] = 200;
    b[10] = 150;
    confirm(*c93, span(b), {});
    EXPECT_EQ(b[9], 200);
    EXPECT_EQ(b[10], 150);
    // Both families' lengths take the three digits 100..127 need.
    for (std::size_t i = 0; i < symbologyDialogCount(); ++i) {
        for (const ControlSpec& row : symbologyDialog(i)) {
            if (row.kind != ControlKind::Number) continue;
            EXPECT_EQ(row.maxChars, 3u) << symbologyDialog(i).templateName;
            EXPECT_EQ(correctedNumber(row, "120").value, 120u);
            // 1D lengths start at 1; a 2D length may be 0 (unused).
            EXPECT_EQ(correctedNumber(row, "0").value, symbologyDialog(i).block == Area::Reader1D);
        }
    }
    // 2D: the first length and its label are used from "One Length" on, the
    // second from "Two Lengths"; the MSI algorithm only with two check digits.
    const char* const used[] = {"0000", "1100", "1111", "1111"};
    for (std::size_t i = 0; i < symbologyDialogCount(); ++i) {
        const SymbologyDialog& d = symbologyDialog(i);
        if (d.block != Area::Reader2D || !d.lengths) continue;
        for (unsigned option = 0; option < 4; ++option) {
            Block b = pattern(Area::Reader2D, 0);
            writeBits(span(b), d.lengths->mode, option);
            writeBits(span(b), rb::D2MsiTwoCheckDigits, option & 1);
            std::string on;
            for (const EnableRule& r : d.table.enables) on += ruleEnables(r, span(b)) ? '1' : '0';
            const std::string msi = option & 1 ? "11" : "00";
            EXPECT_EQ(on, used[option] + (d.extra == DialogExtra::MsiAlgorithm ? msi : ""))
                << d.templateName << option;
        }
    }
    // The labels follow the mode or option.
    EXPECT_EQ(lengthLabels(*i25, 1).first, "Max Length :");
    EXPECT_EQ(lengthLabels(*i25, 0).second, "Fixed Length 2:");
    EXPECT_EQ(lengthLabels(*c93, 3).first, "Min Len :");
    EXPECT_EQ(lengthLabels(*c93, 2).second, "Length 2 :");
}

TEST(SymbologyDialogs, SupplementalsAreOneValueForTheFourUpcEanDialogs) {
    Block b = pattern(Area::Reader2D, 2);
    confirm(*findSymbologyDialog("EAN8_2D_DLG"), span(b), {{401, 1}});
    for (const char* name : {"UPCA_2D_DLG", "UPCE_2D_DLG", "UPCE1_2D_DLG"}) {
        for (const ControlSpec& row : *findSymbologyDialog(name)) {
            if (row.id == 402) {
                EXPECT_EQ(storedSelection(row, span(b)), 1) << name;
            }
        }
    }
}

TEST(SymbologyDialogs, Interleaved25CheckBoxesAndVerificationExcludeEachOther) {
    const SymbologyDialog& d = *findSymbologyDialog("INTERLEAVE25_2D_DLG");
    struct Case {
        Byte before;
        Actions actions;
        Byte after;  // byte 14
    };
    const Case cases[] = {
        {0x10, {{302, 1}}, 0x20},  // transmit drops the conversion
        {0x62, {{303, 1}}, 0x10},  // conversion drops transmit and OPCC/USS
        {0x10, {{402, 1}}, 0x40},  // USS drops the conversion
        {0x10, {{402, 2}}, 0x02},  // so does OPCC
        {0x30, {{302, 0}}, 0x10},  // unchecking touches nothing else
        {0x10, {{402, 0}}, 0x10},  // " No verify" keeps it
        {0x42, {}, 0x02},          // USS and OPCC both stored: OK keeps the OPCC shown
    };
    for (const Case& c : cases) {
        Block b = pattern(Area::Reader2D, 0);
        b[14] = c.before;
        confirm(d, span(b), c.actions);
        EXPECT_EQ(b[14], c.after) << int(c.before);
    }
    // The combo shows OPCC before USS.
    Block b = pattern(Area::Reader2D, 0);
    b[14] = 0x42;
    EXPECT_EQ(i25VerifyShown(span(b)), 2);
    b[14] = 0x40;
    EXPECT_EQ(i25VerifyShown(span(b)), 1);
}

}  // namespace
}  // namespace varomil
