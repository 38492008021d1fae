#include "settings/settings_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace varomil {
namespace {

TEST(SettingsImageLayout, FieldsSitAtTheirFileOffsets) {
    // Spot checks across every region: these offsets are a file and wire format.
    EXPECT_EQ(fld::ProductIndex.offset, 5u);
    EXPECT_EQ(fld::SystemPassword.offset, 50u);
    EXPECT_EQ(slot::promptSlot(67).offset, 2870u - 41u);
    EXPECT_EQ(fld::ScanEnableCommand.offset, 3754u);
    EXPECT_EQ(slot::hostAddress(4).offset, 4100u);
    EXPECT_EQ(fld::TerminalType.offset, 4467u);
    EXPECT_EQ(slot::sequence(49).offset, 4715u + 245u);
    EXPECT_EQ(slot::lineText(49, 23).end(), 54217u);
    EXPECT_EQ(slot::lineHostColumn(49, 23).offset, 57658u);
    EXPECT_EQ(fld::RfidControl.offset, 58771u);
    EXPECT_EQ(sizeof(SettingsImage), kSettingsImageSize);
}

TEST(SettingsImageText, WritesNeverPassTheSlotAndKeepTheNul) {
    SettingsImage img;
    img.fill(fld::LocalName, 'x');
    img.bytes()[fld::LocalName.end()] = 0x55;  // byte just behind the slot
    img.setText(fld::LocalName, std::string(40, 'A'));
    EXPECT_EQ(img.text(fld::LocalName), std::string(19, 'A'));
    EXPECT_EQ(img.byte(fld::LocalName, 19), 0);
    EXPECT_EQ(img.bytes()[fld::LocalName.end()], 0x55);  // neighbour untouched

    // A shorter text leaves the bytes behind its NUL as they were.
    img.setText(fld::LocalName, "ab");
    EXPECT_EQ(img.text(fld::LocalName), "ab");
    EXPECT_EQ(img.byte(fld::LocalName, 3), 'A');
}

TEST(SettingsImageText, ReadersStopAtTheSlotWhenNoNulIsThere) {
    SettingsImage img;
    img.fill(fld::ScanEnableCommand, 'E');
    img.fill(fld::ScanDisableCommand, 'D');
    EXPECT_EQ(img.codes(fld::ScanEnableCommand), "EEEEEE");
    img.setCodes(fld::ScanEnableCommand, "\x1b[99hXYZ");
    EXPECT_EQ(img.codes(fld::ScanEnableCommand), "\x1b[99hX");  // full slot, no NUL
    img.setCodes(fld::ScanEnableCommand, "\x1b[9");
    EXPECT_EQ(img.codes(fld::ScanEnableCommand), "\x1b[9");
    EXPECT_EQ(img.codes(fld::ScanDisableCommand), "DDDDDD");
}

TEST(SettingsImageNumbers, ByteOrderPerField) {
    SettingsImage img;
    img.setU16le(fld::TelnetPort, 0x1234);
    img.setU16be(fld::RfidDataMaxLength, 128);
    EXPECT_EQ((std::array<int, 4>{img.byte(fld::TelnetPort, 0), img.byte(fld::TelnetPort, 1),
                                  img.bytes()[58764], img.bytes()[58765]}),
              (std::array<int, 4>{0x34, 0x12, 0, 128}));
    EXPECT_EQ(img.u16be(fld::RfidDataMaxLength), 128);
    // Auto power off: 44 + 256 * 1 = 300 seconds.
    img.setByte(fld::AutoPowerOffLow, 44);
    img.setByte(fld::AutoPowerOffHigh, 1);
    EXPECT_EQ(img.byte(fld::AutoPowerOffLow) + 256 * img.byte(fld::AutoPowerOffHigh), 300);
}

TEST(SettingsImageSlots, IndexesOutOfRangeStayInsideTheirField) {
    for (std::size_t i : {5u, 17u, 255u}) {
        const Field f = slot::hostAddress(i);
        EXPECT_GE(f.offset, fld::HostAddresses.offset);
        EXPECT_LE(f.end(), fld::HostAddresses.end());
    }
    const Field line = slot::lineText(200, 99);
    EXPECT_GE(line.offset, fld::LineText.offset);
    EXPECT_LE(line.end(), fld::LineText.end());
}

TEST(EnumeratedNames, UnknownValuesGiveAnEmptyText) {
    constexpr std::array<std::string_view, 2> names{"Resume", "Restart"};
    EXPECT_EQ(lookupName(names, 1), "Restart");
    EXPECT_EQ(lookupName(names, 2), "");
    EXPECT_EQ(lookupName(names, 255), "");
}

TEST(ReaderBlocks, StoreAndLoadCopyBothBlocksExactly) {
    SettingsImage img;
    Companions c;
    for (std::size_t i = 0; i < c.reader1D.size(); ++i) c.reader1D[i] = static_cast<Byte>(i + 1);
    for (std::size_t i = 0; i < c.reader2D.size(); ++i) c.reader2D[i] = static_cast<Byte>(0xA0 + i);
    storeReaderBlocks(img, c);
    EXPECT_EQ(img.bytes()[3690], 1);
    EXPECT_EQ(img.bytes()[3712], 23);
    EXPECT_EQ(img.bytes()[3713], 0);  // neighbour untouched
    EXPECT_EQ(img.bytes()[58659], 0xA0);
    EXPECT_EQ(img.bytes()[58703], 0xA0 + 44);
    EXPECT_EQ(img.bytes()[58704], 0);

    Companions back;
    loadReaderBlocks(img, back);
    EXPECT_EQ(back.reader1D, c.reader1D);
    EXPECT_EQ(back.reader2D, c.reader2D);
}

TEST(FunctionKeyTableRebuild, PatchesOnlyModifierRecordsWithACode) {
    SettingsImage img;
    FunctionKeyTable table;
    const KeyCode keep{'k', 'e', 'e', 'p', 0};
    table.setEntry(2, 19, keep);
    table.setEntry(0, 5, keep);

    auto setRecord = [&](std::size_t n, Byte mod, Byte key, const char* seq) {
        img.setByte(slot::binding(n), mod, 0);
        img.setByte(slot::binding(n), key, 1);
        img.setCodes(slot::sequence(n), seq);
    };
    setRecord(1, 0, 1, "\x1bOP");
    setRecord(2, 1, 3, "ABCDE");     // full 5 bytes, no NUL
    setRecord(3, 2, 19, "");         // empty sequence: entry kept
    setRecord(4, 201, 7, "\x1b[X");  // a role, not a modifier
    setRecord(5, 0, 20, "USER");     // "User defined" has no table entry
    setRecord(6, 0, 250, "BAD");     // hostile host key number
    setRecord(7, 1, 3, "LATER");     // a later record overwrites an earlier one

    rebuildFunctionKeyTable(img, table);
    EXPECT_EQ(table.entry(0, 1), (KeyCode{0x1b, 'O', 'P', 0, 0}));
    EXPECT_EQ(table.entry(1, 3), (KeyCode{'L', 'A', 'T', 'E', 'R'}));
    EXPECT_EQ(table.entry(2, 19), keep);
    EXPECT_EQ(table.entry(0, 5), keep);
    EXPECT_EQ(table.entry(0, 7), KeyCode{});
    EXPECT_EQ(table.entry(3, 0), KeyCode{});  // no such modifier
}

}  // namespace
}  // namespace varomil
