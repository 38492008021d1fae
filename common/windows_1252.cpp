#include "common/windows_1252.h"

#include <cstdint>

namespace varomil {

namespace {

// Code points of 0x80..0x9F; 0 where the code page has none.
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The byte for a code point, or -1.
int byteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == cp) return 0x80 + i;
    }
    return -1;
}

// The lowest code point of a sequence of each length, to refuse overlong forms.
constexpr char32_t kLowest[5] = {0, 0, 0x80, 0x800, 0x10000};

}  // namespace

char32_t windows1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const char32_t cp = windows1252CodePoint(static_cast<unsigned char>(ch));
        appendUtf8(out, cp != 0 || ch == 0 ? cp : 0xFFFD);
    }
    return out;
}

TextConversion utf8ToWindows1252(std::string_view utf8, std::string& out, char32_t& unheld) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        char32_t cp = lead;
        if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            cp = lead & 0x07;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0x80) {
            return TextConversion::NotUtf8;
        }
        if (utf8.size() - i < length) return TextConversion::NotUtf8;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return TextConversion::NotUtf8;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < kLowest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            return TextConversion::NotUtf8;
        }
        const int b = byteFor(cp);
        if (b < 0) {
            unheld = cp;
            return TextConversion::NotHeld;
        }
        out += static_cast<char>(b);
        i += length;
    }
    return TextConversion::Ok;
}

}  // namespace varomil
