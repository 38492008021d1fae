#include <gtest/gtest.h>

#include <vector>

#include "settings/factory_defaults.h"
#include "settings/key_roles.h"

namespace varomil {
namespace {

// A sequence of choices on two selectors, as the pages make them.
TEST(KeyRoleChoice, RefusesTakenKeysAndReleasesOnlyItsOwnRole) {
    SettingsImage image;
    Companions c;
    applyFactoryDefaults(image, c, 2);
    const Field name = fld::LoginNameKey;
    const Field nav = fld::NavigatorKey;
    auto record = [&](int k) { return image.byte(slot::binding(static_cast<std::size_t>(k)), 0); };

    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, name, KeyRole::NameKey, 3));
    EXPECT_EQ(record(3), 201);
    EXPECT_EQ(image.byte(name), 3);
    // FN+3 holds the name role: the navigator selector is refused and nothing moves.
    EXPECT_FALSE(chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, 3));
    EXPECT_EQ(image.byte(nav), 0);
    EXPECT_EQ(record(3), 201);
    // Choosing the same key again is no conflict.
    EXPECT_TRUE(chooseRoleKey(image, c.functionKeys, name, KeyRole::NameKey, 3));
    // Moving to FN+0 frees FN+3 (back to F3) and takes record 0.
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, name, KeyRole::NameKey, 10));
    EXPECT_EQ(record(3), 0);
    EXPECT_EQ(image.byte(slot::binding(3), 1), 3);
    EXPECT_EQ(record(0), 201);
    // A damaged file names FN+0 in the navigator selector too: giving the navigator
    // another key must not free the name role of FN+0.
    image.setByte(nav, 10);
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, 5));
    EXPECT_EQ(record(0), 201);
    EXPECT_EQ(record(5), 204);
    // "Disable" releases and stores 0.
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, 0));
    EXPECT_EQ(record(5), 0);
    EXPECT_EQ(image.byte(nav), 0);
}

// Arrowing a selector from "Disable" down to FN+3 gives and frees each key on the
// way; with the sheet's memory the keys passed over keep their own mappings, and
// a key that held the role before the browse is freed to its host key.
TEST(KeyRoleChoice, KeysPassedOverKeepTheirMappings) {
    SettingsImage image;
    Companions c;
    applyFactoryDefaults(image, c, 2);
    const Field nav = fld::NavigatorKey;
    const KeyCode shiftF5{0x1B, '[', '2', '8', '~'};
    const Byte shiftF5Record[] = {1, 5, 0};
    image.setRaw(slot::binding(2), shiftF5Record, 3);
    image.setRaw(slot::sequence(2), shiftF5.data(), shiftF5.size());
    const SettingsImage before = image;
    auto bytes = [](const SettingsImage& i, Field f) {
        return std::vector<Byte>(i.bytes().begin() + f.offset, i.bytes().begin() + f.end());
    };

    KeyRoleMemory memory;
    for (int choice : {1, 2, 3}) {
        ASSERT_TRUE(
            chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, choice, &memory));
    }
    for (std::size_t k : {1, 2}) {
        EXPECT_EQ(bytes(image, slot::binding(k)), bytes(before, slot::binding(k))) << k;
        EXPECT_EQ(bytes(image, slot::sequence(k)), bytes(before, slot::sequence(k))) << k;
    }
    EXPECT_EQ(image.byte(slot::binding(3)), 204);
    // Back to "Disable": FN+3 has its own record again.
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, 0, &memory));
    EXPECT_EQ(bytes(image, fld::FunctionKeyBindings), bytes(before, fld::FunctionKeyBindings));
    EXPECT_EQ(bytes(image, fld::FunctionKeySequences), bytes(before, fld::FunctionKeySequences));

    // FN+2 held the role when the browse began: moving on frees it to F2.
    assignRole(image, c.functionKeys, 2, KeyRole::NavigatorKey);
    image.setByte(nav, 2);
    memory.clear();
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, nav, KeyRole::NavigatorKey, 3, &memory));
    EXPECT_EQ(bytes(image, slot::binding(2)), (std::vector<Byte>{0, 2, 0}));
}

}  // namespace
}  // namespace varomil
