// The order rules of the settings sheet: who restores what on Cancel and what
// becomes of the modified flag.
#include <gtest/gtest.h>

#include <functional>

#include "pages/sheet_session.h"

namespace varomil {
namespace {

constexpr std::size_t kSystem = 0, kBarcode = 1, kEmulation = 3;

struct Fixture : ::testing::Test {
    SettingsImage image;
    Companions c;
    bool modified = false;
    void edit(Field f, Byte v) { image.setByte(f, v); }
};

TEST_F(Fixture, CancelOnTheFirstPageRestoresEverythingAndKeepsEarlierChangesAnnounced) {
    modified = true;  // unsaved changes from before Configure
    edit(fld::KeyClick, 1);
    SheetSession s(image, c, modified);
    s.pageCreated(kSystem, PageProtocol::Snapshot);
    EXPECT_FALSE(modified);
    edit(fld::KeyClick, 0);
    s.pageCreated(kEmulation, PageProtocol::Snapshot);
    edit(fld::CursorTracking, 7);
    c.functionKeys.setEntry(0, 1, {'x', 0, 0, 0, 0});
    c.capturedScreens[3][100] = 'S';
    // Back on the System tab.
    s.pageCancelled(kSystem, PageProtocol::Snapshot);
    s.closed(false);
    EXPECT_EQ(image.byte(fld::KeyClick), 1);
    EXPECT_EQ(image.byte(fld::CursorTracking), 0);
    EXPECT_EQ(c.functionKeys.entry(0, 1)[0], 0);
    EXPECT_EQ(c.capturedScreens[3][100], 0);
    EXPECT_TRUE(modified);
}

// Whatever the earlier page changed (settings, key map or captured screens) is kept and marked.
TEST_F(Fixture, CancelOnALaterPageKeepsEarlierEditsAndMarksThem) {
    const std::function<void()> earlierEdits[] = {
        [&] { edit(fld::KeyClick, 1); },
        [&] {
            c.functionKeys.setEntry(0, 1, {'x', 0, 0, 0, 0});
        },
        [&] { c.capturedScreens[3][100] = 'S'; },
    };
    for (const auto& earlierEdit : earlierEdits) {
        image.clear();
        c = Companions{};
        modified = false;
        SheetSession s(image, c, modified);
        s.pageCreated(kSystem, PageProtocol::Snapshot);
        earlierEdit();
        const SettingsImage kept = image;
        s.pageCreated(kEmulation, PageProtocol::Snapshot);
        edit(fld::CursorTracking, 7);
        s.pageCancelled(kEmulation, PageProtocol::Snapshot);
        s.closed(false);
        EXPECT_EQ(image.bytes(), kept.bytes());
        EXPECT_TRUE(modified) << "the kept System edits must still be saved";
    }
}

TEST_F(Fixture, CancelWithoutChangesLeavesTheFlagAsItWas) {
    for (bool before : {false, true}) {
        modified = before;
        SheetSession s(image, c, modified);
        s.pageCreated(kSystem, PageProtocol::Snapshot);
        s.pageCancelled(kSystem, PageProtocol::Snapshot);
        s.closed(false);
        EXPECT_EQ(modified, before);
    }
}

TEST_F(Fixture, OkWithoutChangesSetsTheFlag) {
    for (bool barcodeShown : {false, true}) {
        modified = false;
        SheetSession s(image, c, modified);
        s.pageCreated(kSystem, PageProtocol::Snapshot);
        if (barcodeShown) s.pageCreated(kBarcode, PageProtocol::Deferred);
        s.pageApplied(kSystem, PageProtocol::Snapshot);
        if (barcodeShown) s.pageApplied(kBarcode, PageProtocol::Deferred);
        s.closed(true);
        EXPECT_TRUE(modified) << barcodeShown;
    }
}

TEST_F(Fixture, CancelOnTheDeferredPageRestoresTheFirstSnapshotAndCompanions) {
    SheetSession s(image, c, modified);
    s.pageCreated(kSystem, PageProtocol::Snapshot);
    edit(fld::KeyClick, 1);
    s.pageCreated(kBarcode, PageProtocol::Deferred);
    EXPECT_FALSE(modified);
    edit(fld::GoodBeep, 9);  // its Reset changes image, reader blocks and key map
    c.reader1D[0] = 0x55;
    c.functionKeys.setEntry(2, 19, {'z', 0, 0, 0, 0});
    s.pageCancelled(kBarcode, PageProtocol::Deferred);
    s.closed(false);
    EXPECT_EQ(image.byte(fld::KeyClick), 0);
    EXPECT_EQ(image.byte(fld::GoodBeep), 0);
    EXPECT_EQ(c.reader1D[0], 0);
    EXPECT_EQ(c.functionKeys.entry(2, 19)[0], 0);
    EXPECT_FALSE(modified);
}

}  // namespace
}  // namespace varomil
