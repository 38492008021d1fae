#include "settings/key_roles.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

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

class KeyRoles : public ::testing::Test {
  protected:
    void SetUp() override { applyFactoryDefaults(image, c, 2); }

  private:
    // Declared first: the references below are bound to them.
    std::unique_ptr<SettingsImage> imagePtr_ = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> companionsPtr_ = std::make_unique<Companions>();

  protected:
    SettingsImage& image = *imagePtr_;
    Companions& c = *companionsPtr_;
};

TEST_F(KeyRoles, AssignTakeAndRelease) {
    EXPECT_FALSE(keyTaken(image, 3));
    assignRole(image, c.functionKeys, 3, KeyRole::NameKey);
    EXPECT_EQ(record(image, 3), (std::array<int, 3>{201, 0, 0}));
    EXPECT_EQ(code(image, 3), kF3);
    EXPECT_TRUE(keyTaken(image, 3));
    EXPECT_FALSE(keyTaken(image, 4));

    releaseRole(image, c.functionKeys, 3);
    EXPECT_EQ(record(image, 3), (std::array<int, 3>{0, 3, 0}));
    EXPECT_EQ(code(image, 3), kF3);
    EXPECT_FALSE(keyTaken(image, 3));
}

TEST_F(KeyRoles, FnZeroIsChoiceTenAndReturnsAsF10) {
    assignRole(image, c.functionKeys, 10, KeyRole::NavigatorKey);
    EXPECT_EQ(record(image, 0), (std::array<int, 3>{204, 0, 0}));
    EXPECT_TRUE(keyTaken(image, 10));
    releaseRole(image, c.functionKeys, 10);
    EXPECT_EQ(record(image, 0), (std::array<int, 3>{0, 10, 0}));
    EXPECT_EQ(code(image, 0), kF10);
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

}  // namespace
}  // namespace varomil
