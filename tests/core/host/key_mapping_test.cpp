// Bytes sent for special and typed keys.
#include <gtest/gtest.h>

#include <string>

#include "host/key_mapping.h"
#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

struct KeyCase {
    HostKey key;
    std::string normal;
    std::string application;  // with application cursor keys
};

TEST(KeyMapping, SpecialKeysSendTheirSequences) {
    const KeyCase cases[] = {
        {HostKey::Return, "\r", "\r"},
        {HostKey::PageUp, "\x1b[V", "\x1b[V"},
        {HostKey::PageDown, "\x1b[U", "\x1b[U"},
        {HostKey::End, "\x1b[K", "\x1b[K"},
        {HostKey::Home, "\x1b[H", "\x1b[H"},
        {HostKey::Left, "\x1b[D", "\x1bOD"},
        {HostKey::Up, "\x1b[A", "\x1bOA"},
        {HostKey::Right, "\x1b[C", "\x1bOC"},
        {HostKey::Down, "\x1b[B", "\x1bOB"},
        {HostKey::Insert, "\x1b[2~", "\x1b[2~"},
        {HostKey::Delete, "\x7f", "\x7f"},
        {HostKey::F1, "\x1bOP", "\x1bOP"},
        {HostKey::F2, "\x1bOQ", "\x1bOQ"},
        {HostKey::F3, "\x1bOR", "\x1bOR"},
        {HostKey::F4, "\x1bOS", "\x1bOS"},
        {HostKey::F5, std::string{27, 91, 49, 53, 126}, "\x1b[15~"},
        {HostKey::F6, "\x1b[17~", "\x1b[17~"},
        {HostKey::F7, "\x1b[18~", "\x1b[18~"},
        {HostKey::F8, "\x1b[19~", "\x1b[19~"},
        {HostKey::F9, "\x1b[20~", "\x1b[20~"},
        {HostKey::F10, "\x1b[21~", "\x1b[21~"},
        {HostKey::F11, "\x1b[23~", "\x1b[23~"},
        {HostKey::F12, "\x1b[24~", "\x1b[24~"},
        {HostKey::F13, "\x1b[25~", "\x1b[25~"},
        {HostKey::F14, "\x1b[26~", "\x1b[26~"},
        {HostKey::F15, "", ""},
        {HostKey::F16, "", ""},
        {HostKey::F17, "\x1b[31~", "\x1b[31~"},
        {HostKey::F18, "\x1b[32~", "\x1b[32~"},
        {HostKey::F19, "\x1b[33~", "\x1b[33~"},
        {HostKey::F20, "\x1b[34~", "\x1b[34~"},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(keyBytes(c.key, false, false), c.normal) << static_cast<int>(c.key);
        EXPECT_EQ(keyBytes(c.key, true, false), c.application) << static_cast<int>(c.key);
    }
    EXPECT_EQ(keyBytes(HostKey::Return, false, true), "\r\n\n");
}

TEST(KeyMapping, SessionUsesTheModesTheHostSet) {
    SessionRig rig;
    rig.feed("\x1b[?1h\x1b[20h");
    rig.session->pressKey(HostKey::Up);
    rig.session->pressKey(HostKey::Return);
    rig.session->pressKey(HostKey::F15);
    EXPECT_EQ(rig.out.all, "\x1bOA\r\n\n");
    EXPECT_EQ(rig.out.sends, 2);
    EXPECT_EQ(rig.row(0), "");  // special keys are never echoed
}

TEST(KeyMapping, TypedCharacters) {
    EXPECT_EQ(typedCharacterBytes('a'), "a");
    EXPECT_EQ(typedCharacterBytes('\r'), "");
    EXPECT_EQ(typedCharacterBytes(255), "\xff\xff");
    SessionRig rig;
    rig.session->typeCharacter('\r');
    EXPECT_EQ(rig.out.sends, 0);
}

}  // namespace
}  // namespace varomil
