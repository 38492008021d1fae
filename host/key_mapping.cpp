#include "host/key_mapping.h"

namespace varomil {

namespace {

struct KeyRow {
    HostKey key;
    const char* bytes;
    const char* applicationBytes;  // with application cursor keys; nullptr: the same
};

constexpr KeyRow kKeyTable[] = {
    {HostKey::PageUp, "\x1b[V", nullptr},  {HostKey::PageDown, "\x1b[U", nullptr},
    {HostKey::End, "\x1b[K", nullptr},     {HostKey::Home, "\x1b[H", nullptr},
    {HostKey::Left, "\x1b[D", "\x1bOD"},   {HostKey::Up, "\x1b[A", "\x1bOA"},
    {HostKey::Right, "\x1b[C", "\x1bOC"},  {HostKey::Down, "\x1b[B", "\x1bOB"},
    {HostKey::Insert, "\x1b[2~", nullptr}, {HostKey::Delete, "\x7f", nullptr},
    {HostKey::F1, "\x1bOP", nullptr},      {HostKey::F2, "\x1bOQ", nullptr},
    {HostKey::F3, "\x1bOR", nullptr},      {HostKey::F4, "\x1bOS", nullptr},
    {HostKey::F5, "\x1b[15~", nullptr},    {HostKey::F6, "\x1b[17~", nullptr},
    {HostKey::F7, "\x1b[18~", nullptr},    {HostKey::F8, "\x1b[19~", nullptr},
    {HostKey::F9, "\x1b[20~", nullptr},    {HostKey::F10, "\x1b[21~", nullptr},
    {HostKey::F11, "\x1b[23~", nullptr},   {HostKey::F12, "\x1b[24~", nullptr},
    {HostKey::F13, "\x1b[25~", nullptr},   {HostKey::F14, "\x1b[26~", nullptr},
    {HostKey::F17, "\x1b[31~", nullptr},   {HostKey::F18, "\x1b[32~", nullptr},
    {HostKey::F19, "\x1b[33~", nullptr},   {HostKey::F20, "\x1b[34~", nullptr},
};

}  // namespace

std::string keyBytes(HostKey key, bool applicationCursorKeys, bool newLineMode) {
    if (key == HostKey::Return) return newLineMode ? "\r\n\n" : "\r";
    for (const KeyRow& row : kKeyTable) {
        if (row.key != key) continue;
        return applicationCursorKeys && row.applicationBytes ? row.applicationBytes : row.bytes;
    }
    return {};
}

std::string typedCharacterBytes(std::uint8_t ch) {
    if (ch == '\r') return {};
    std::string bytes(1, static_cast<char>(ch));
    if (ch == 255) bytes += static_cast<char>(ch);
    return bytes;
}

}  // namespace varomil
