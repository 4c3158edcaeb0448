// The light grey (192, 192, 192) that was the face colour of its day, which
// a picture's background is drawn in: shown in today's face colour, so that
// the picture blends with the window on every scheme, a dark one included.
#pragma once

#include <cstdint>

namespace varnsel::platform {

struct Rgb {
    std::uint8_t red, green, blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kFaceOfItsDay{192, 192, 192};

// How a picture's pixel shows on a window whose face colour is `face`.
constexpr Rgb shownOn(Rgb face, Rgb pixel) {
    return pixel == kFaceOfItsDay ? face : pixel;
}

}  // namespace varnsel::platform
