#pragma once

#include <QColor>

#include <array>
#include <cstdint>

class RandomSource;

// The fixed set of background colours the windows are painted with.
namespace Palette {

// Entries in the program's own notation &H00BBGGRR; entry 0 is never drawn.
inline constexpr std::array<std::uint32_t, 19> entries = {
    0x00000000, // unused
    0x00C0C0FF, 0x008080FF, 0x000000FF, 0x0080C0FF, 0x000080FF, 0x00C0FFFF,
    0x0000FFFF, 0x000040C0, 0x0080FF80, 0x0000C000, 0x00FFFFC0, 0x00FFFF00,
    0x00FFC0C0, 0x00FFC0FF, 0x00FFC0FF, 0x00E0E0E0, 0x00FF0000, 0x00FF00FF,
};

// Converts &H00BBGGRR to a colour.
QColor fromBgr(std::uint32_t bgr);

// floor(18 * r) + 1: an entry from 1 to 18.
int drawEntry(RandomSource &random);

// The colour of a freshly drawn entry.
QColor drawColour(RandomSource &random);

// Designed colours shared by several windows.
QColor orange();
QColor cyan();
QColor lightCyan();
QColor white();
QColor yellow();

} // namespace Palette
