// The text beside each terminal key, what the mapping dialog offers, and what
// its OK writes into the record and the key-code table.
#include <gtest/gtest.h>

#include <string>

#include "pages/function_key_mapping.h"
#include "settings/factory_defaults.h"

namespace varomil {
namespace {

KeyCode code(const std::string& s) {
    KeyCode c{};
    std::copy(s.begin(), s.end(), c.begin());
    return c;
}

void setRecord(SettingsImage& image, std::size_t record, Byte first, Byte hostKey) {
    image.setByte(slot::binding(record), first, 0);
    image.setByte(slot::binding(record), hostKey, 1);
}

class FunctionKeyMapping : public ::testing::Test {
  protected:
    void SetUp() override { applyFactoryDefaults(image, c, 2); }
    SettingsImage image;
    Companions c;
};

TEST_F(FunctionKeyMapping, TextNamesTheKeyTheModifierOrTheRoleAndNothingUnlisted) {
    struct Case {
        Byte first, hostKey;
        const char* text;
        bool role;
    };
    const Case cases[] = {
        {0, 5, "F5", false},
        {1, 5, "Shift + F5", false},
        {2, 13, "Alt + Page Up", false},
        {0, 0, "Undefined", false},
        {2, 20, "Alt + User defined", false},
        {201, 0, "Name Key", true},
        {205, 7, "SwitchKey", true},
        {3, 5, "", false},
        {200, 5, "", false},
        {206, 0, "", false},
        {255, 0, "", false},
        {0, 21, "", false},
        {1, 255, "", false},
    };
    for (const Case& k : cases) {
        setRecord(image, 17, k.first, k.hostKey);
        EXPECT_EQ(mappingText(image, 17), k.text) << int(k.first) << "," << int(k.hostKey);
        EXPECT_EQ(recordHoldsRole(image, 17), k.role) << int(k.first);
    }
    EXPECT_EQ(mappingText(image, 50), "");
    EXPECT_EQ(mappingText(image, 9), "F9");  // factory values
}

TEST_F(FunctionKeyMapping, DialogStartsFromTheRecordAndOffersTheTablesCodes) {
    setRecord(image, 40, 201 + 10, 33);  // a damaged file: no such role, no such key
    const KeyChoice unlisted = choiceOf(image, 40);
    EXPECT_EQ(unlisted.modifier, 0u);
    EXPECT_EQ(unlisted.hostKey, 0u);

    setRecord(image, 40, 1, 20);
    image.setRaw(slot::sequence(40), code("AB").data(), 5);
    const KeyChoice own = choiceOf(image, 40);
    EXPECT_EQ(own.modifier, 1u);
    EXPECT_EQ(own.hostKey, 20u);
    EXPECT_EQ(own.code, code("AB"));

    EXPECT_EQ(offeredCode(image, c.functionKeys, 40, 1, 5), code("\x1b[K"));
    EXPECT_EQ(offeredCode(image, c.functionKeys, 40, 2, 11), code(""));
    EXPECT_EQ(offeredCode(image, c.functionKeys, 40, 0, 0), code(""));
    EXPECT_EQ(offeredCode(image, c.functionKeys, 40, 2, 20), code("AB"));
}

TEST_F(FunctionKeyMapping, OkWritesTheRecordAndTheTableEntryOfAStandardKeyOnly) {
    // (nil, F5) edited on FN+5 is what FN+6 is offered next.
    ASSERT_TRUE(commitKeyChoice(image, c.functionKeys, 5, {0, 5, code("\x1b[99~")}));
    EXPECT_EQ(image.byte(slot::binding(5), 0), 0);
    EXPECT_EQ(image.byte(slot::binding(5), 1), 5);
    EXPECT_EQ(image.codes(slot::sequence(5)), "\x1b[99~");
    EXPECT_EQ(offeredCode(image, c.functionKeys, 6, 0, 5), code("\x1b[99~"));

    // A key's own code stays with the key: the table is unchanged.
    const FunctionKeyTable before = c.functionKeys;
    ASSERT_TRUE(commitKeyChoice(image, c.functionKeys, 13, {2, 20, code("xyz")}));
    EXPECT_EQ(c.functionKeys.raw(), before.raw());
    EXPECT_EQ(image.codes(slot::sequence(13)), "xyz");
    EXPECT_EQ(image.byte(slot::binding(13), 0), 2);

    // Tab with Alt is the table's last entry.
    ASSERT_TRUE(commitKeyChoice(image, c.functionKeys, 14, {2, 19, code("\t")}));
    EXPECT_EQ(c.functionKeys.entry(2, 19), code("\t"));

    // A choice no list names is stored as nil and Undefined.
    ASSERT_TRUE(commitKeyChoice(image, c.functionKeys, 15, {7, 21, code("")}));
    EXPECT_EQ(image.byte(slot::binding(15), 0), 0);
    EXPECT_EQ(image.byte(slot::binding(15), 1), 0);

    // A role key, or no key at all, is refused and nothing changes.
    setRecord(image, 3, 201, 0);
    const SettingsImage held = image;
    EXPECT_FALSE(commitKeyChoice(image, c.functionKeys, 3, {1, 1, code("Q")}));
    EXPECT_FALSE(commitKeyChoice(image, c.functionKeys, 50, {1, 1, code("Q")}));
    EXPECT_EQ(image.bytes(), held.bytes());
    EXPECT_EQ(c.functionKeys.entry(1, 1), code("\x1bOP"));
}

}  // namespace
}  // namespace varomil
