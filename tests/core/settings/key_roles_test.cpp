#include "settings/key_roles.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "settings/factory_defaults.h"

namespace varomil {
namespace {

// Key record n at 4565 + 3n, its code at 4715 + 5n.
std::array<int, 3> record(const SettingsImage& image, std::size_t n) {
    const std::size_t at = 4565 + 3 * n;
    return {image.bytes()[at], image.bytes()[at + 1], image.bytes()[at + 2]};
}

KeyCode code(const SettingsImage& image, std::size_t n) {
    KeyCode k{};
    for (std::size_t i = 0; i < 5; ++i) k[i] = image.bytes()[4715 + 5 * n + i];
    return k;
}

const KeyCode kF3{0x1B, 'O', 'R', 0, 0};
const KeyCode kF10{0x1B, '[', '2', '1', '~'};

// Factory settings of product 2, kept off the stack.
class KeyRoles : public ::testing::Test {
  protected:
    void SetUp() override { applyFactoryDefaults(image, c, 2); }
    std::unique_ptr<SettingsImage> imagePtr_ = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> companionsPtr_ = std::make_unique<Companions>();
    SettingsImage& image = *imagePtr_;
    Companions& c = *companionsPtr_;
};

// FN+0 is choice 10 and comes back as F10.
TEST_F(KeyRoles, AssignTakeAndRelease) {
    const struct {
        int choice;
        std::size_t n;
        KeyRole role;
        int roleByte;
        KeyCode host;
    } cases[] = {{3, 3, KeyRole::NameKey, 201, kF3}, {10, 0, KeyRole::NavigatorKey, 204, kF10}};
    for (const auto& k : cases) {
        EXPECT_FALSE(keyTaken(image, k.choice));
        assignRole(image, c.functionKeys, k.choice, k.role);
        EXPECT_EQ(record(image, k.n), (std::array<int, 3>{k.roleByte, 0, 0}));
        EXPECT_EQ(code(image, k.n), k.host);
        EXPECT_TRUE(keyTaken(image, k.choice));
        EXPECT_FALSE(keyTaken(image, 4));
        releaseRole(image, c.functionKeys, k.choice);
        EXPECT_EQ(record(image, k.n), (std::array<int, 3>{0, k.choice, 0}));
        EXPECT_EQ(code(image, k.n), k.host);
        EXPECT_FALSE(keyTaken(image, k.choice));
    }
}

TEST_F(KeyRoles, ModifiersAreNoRolesAndBadChoicesNameNoKey) {
    image.bytes()[4565 + 3 * 5] = 2;  // Alt + F5 on FN+5
    EXPECT_FALSE(keyTaken(image, 5));
    image.bytes()[4565] = 205;  // a damaged file may hold a role on FN+0
    const SettingsImage before = image;
    for (int choice : {0, 11, -1, 20, 255}) {
        EXPECT_FALSE(keyTaken(image, choice)) << choice;
        assignRole(image, c.functionKeys, choice, KeyRole::ExitKey);
        releaseRole(image, c.functionKeys, choice);
    }
    EXPECT_EQ(image.bytes(), before.bytes());
}

TEST_F(KeyRoles, CodesComeFromTheLiveKeyTable) {
    const KeyCode edited{0x1B, '[', '9', '9', '~'};
    c.functionKeys.setEntry(0, 5, edited);
    assignRole(image, c.functionKeys, 5, KeyRole::ExitKey);
    EXPECT_EQ(code(image, 5), edited);
    // Factory values reload the standard table.
    defaultFunctionKeyMap(image, c);
    EXPECT_EQ(code(image, 5), (KeyCode{0x1B, '[', '1', '5', '~'}));
}

TEST_F(KeyRoles, FunctionKeyMapGivesTheRolesAgainInOrder) {
    image.bytes()[4326] = 3;   // LoginNameKey FN+3
    image.bytes()[4347] = 4;   // LoginPasswordKey FN+4
    image.bytes()[4348] = 10;  // LogoutKey FN+0
    image.bytes()[4455] = 1;   // NavigatorKey FN+1
    image.bytes()[3777] = 9;   // ScanSwitchKey FN+9
    for (std::size_t i = 4565; i < 4965; ++i) image.bytes()[i] = 0x5A;
    defaultFunctionKeyMap(image, c);

    const std::pair<std::size_t, std::array<int, 3>> records[] = {
        {3, {201, 0, 0}}, {4, {202, 0, 0}}, {0, {203, 0, 0}},
        {1, {204, 0, 0}}, {9, {205, 0, 0}}, {2, {0, 2, 0}}};
    for (const auto& [n, want] : records) EXPECT_EQ(record(image, n), want) << n;
    EXPECT_EQ(code(image, 0), kF10);
    EXPECT_EQ(code(image, 2), (KeyCode{0x1B, 'O', 'Q', 0, 0}));
    for (std::size_t n = 10; n < 50; ++n) {
        EXPECT_EQ(record(image, n), (std::array<int, 3>{0, 0, 0})) << n;
        EXPECT_EQ(code(image, n), KeyCode{}) << n;
    }
    // Two selectors on one key: the later in the order (navigator) holds it.
    image.bytes()[4455] = 3;
    defaultFunctionKeyMap(image, c);
    EXPECT_EQ(record(image, 3), (std::array<int, 3>{204, 0, 0}));
}

TEST_F(KeyRoles, SectionResetsReleaseTheirSelectorsRoles) {
    const struct {
        std::size_t selector;
        int choice;
        KeyRole role;
    } roles[] = {{4326, 2, KeyRole::NameKey},
                 {4347, 3, KeyRole::PasswordKey},
                 {4348, 10, KeyRole::ExitKey},
                 {4455, 5, KeyRole::NavigatorKey},
                 {3777, 7, KeyRole::SwitchKey}};
    for (const auto& r : roles) {
        image.bytes()[r.selector] = static_cast<Byte>(r.choice);
        assignRole(image, c.functionKeys, r.choice, r.role);
    }
    defaultEmulationSettings(image, c);
    EXPECT_EQ(record(image, 5), (std::array<int, 3>{0, 5, 0}));
    EXPECT_EQ(image.bytes()[4455], 0);
    EXPECT_TRUE(keyTaken(image, 2));  // other pages' roles stay

    defaultNetworkSettings(image, c);
    for (std::size_t n : {2, 3}) EXPECT_EQ(record(image, n), (std::array<int, 3>{0, int(n), 0}));
    EXPECT_EQ(code(image, 3), kF3);
    EXPECT_EQ(record(image, 0), (std::array<int, 3>{0, 10, 0}));
    EXPECT_TRUE(keyTaken(image, 7));

    defaultBarcodeSettings(image, c);
    EXPECT_EQ(record(image, 7), (std::array<int, 3>{0, 7, 0}));
    for (int k = 1; k <= 10; ++k) EXPECT_FALSE(keyTaken(image, k)) << k;
}

// A sequence of choices on two selectors, as the pages make them.
TEST_F(KeyRoles, ChoiceRefusesTakenKeysAndReleasesOnlyItsOwnRole) {
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
TEST_F(KeyRoles, ChoiceKeysPassedOverKeepTheirMappings) {
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
