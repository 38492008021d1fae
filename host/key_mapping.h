// Bytes sent to the host for the user's keys. Keys are named by a portable code;
// the window maps its virtual keys onto it.
#pragma once

#include <cstdint>
#include <string>

namespace varomil {

enum class HostKey {
    Return,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Up,
    Right,
    Down,
    Insert,
    Delete,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
    F17,
    F18,
    F19,
    F20,
};

// Bytes for a special key; empty for keys that send nothing (F15, F16).
std::string keyBytes(HostKey key, bool applicationCursorKeys, bool newLineMode);

// A typed character: the bytes to send (none for CR, which Return sends) with a
// data byte 255 doubled so that the telnet layer of the host does not read a command.
std::string typedCharacterBytes(std::uint8_t ch);

}  // namespace varomil
