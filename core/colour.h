#pragma once

#include <QtGlobal>

namespace core {

// A 24-bit colour: red in the low byte, then green, then blue (0x00BBGGRR). 255 is red.
using Colour = qint32;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;

inline constexpr Colour rgbColour(int red, int green, int blue) {
    return Colour((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

}  // namespace core
