// The window's three pictures, embedded in the program: the window icon (an
// icon file), the illustration and the arrow (bitmap files).
#pragma once

#include <cstddef>
#include <span>

#include "form/window_definition.hpp"

namespace varnsel::form {

std::span<const unsigned char> iconFile();
std::span<const unsigned char> pictureFile(Picture picture);

}  // namespace varnsel::form
