#include <gtest/gtest.h>

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

}  // namespace
}  // namespace varomil
