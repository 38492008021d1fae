// Bytes sent for special and typed keys.
#include <gtest/gtest.h>

#include <string>

#include "host/key_mapping.h"
#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// The bytes of each key are in tests/data/host/keys.txt.
TEST(KeyMapping, SpecialKeysSendTheirSequences) {
    const auto cases = caseFile("keys.txt");
    ASSERT_EQ(cases.size(), static_cast<std::size_t>(HostKey::F20) + 1);
    const auto bytes = [](const std::string& s) { return s == "-" ? "" : unescaped(s); };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const HostKey key = static_cast<HostKey>(k);
        EXPECT_EQ(keyBytes(key, false, false), bytes(cases[k].at(1))) << cases[k][0];
        EXPECT_EQ(keyBytes(key, true, false), bytes(cases[k].at(2))) << cases[k][0];
    }
    EXPECT_EQ(keyBytes(HostKey::Return, false, true), "\r\n\n");
}

// What a session sends for keys and typed characters: cases of vt_screen.txt.
TEST(KeyMapping, TypedCharacters) {
    EXPECT_EQ(typedCharacterBytes('a'), "a");
    EXPECT_EQ(typedCharacterBytes('\r'), "");
    EXPECT_EQ(typedCharacterBytes(255), "\xff\xff");
}

}  // namespace
}  // namespace varomil
