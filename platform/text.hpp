// Text in the logic is UTF-8; lengths the user sees are in characters.
#pragma once

#include <string_view>

namespace varnsel::platform {

// The number of characters (code points) in UTF-8 text. A byte that does not
// form a valid sequence counts as one character, as a display shows it as one
// replacement character.
int characterCount(std::string_view utf8);

}  // namespace varnsel::platform
