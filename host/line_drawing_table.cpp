#include "host/vt_interpreter.h"

namespace varomil {

namespace {

struct LineDrawing {
    std::uint8_t from;
    std::uint8_t to;  // code page 437 box-drawing character
};

constexpr LineDrawing kLineDrawing[] = {
    {'j', 0xD9}, {'k', 0xBF}, {'l', 0xDA}, {'m', 0xC0}, {'n', 0xC5},
    {'t', 0xC3}, {'u', 0xB4}, {'v', 0xC1}, {'w', 0xC2}, {'x', 0xB3},
    {'o', 0x2D}, {'p', 0x2D}, {'q', 0x2D}, {'r', 0x5F}, {'s', 0x5F},
};

}  // namespace

std::uint8_t lineDrawingCharacter(std::uint8_t ch) {
    for (const LineDrawing& d : kLineDrawing)
        if (d.from == ch) return d.to;
    return ch;
}

}  // namespace varomil
