// The terminal's character set: settings texts are single-byte Windows-1252, while
// files made elsewhere (spreadsheet tables, exported summaries) are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace varomil {

// The code point of a Windows-1252 byte; 0 for the five bytes it leaves undefined.
char32_t windows1252CodePoint(unsigned char byte);

// Windows-1252 text as UTF-8; undefined bytes become U+FFFD.
std::string windows1252ToUtf8(std::string_view text);

enum class TextConversion {
    Ok,
    NotUtf8,  // a byte sequence that is not UTF-8
    NotHeld,  // a character Windows-1252 has no byte for (in `unheld`)
};

// UTF-8 text as Windows-1252 into `out`; a character the set cannot hold is an
// error, never a replacement.
TextConversion utf8ToWindows1252(std::string_view utf8, std::string& out, char32_t& unheld);

}  // namespace varomil
