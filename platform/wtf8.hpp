// Conversions between the logic's UTF-8 text and UTF-16, the text of the
// Windows API. A Windows file name may hold a lone surrogate, which UTF-8
// cannot spell; it is carried in the generalized form (WTF-8) so that every
// name the system gives comes back to it unchanged.
#pragma once

#include <string>
#include <string_view>

#include "platform/utf8.hpp"

namespace varnsel::platform {

std::string fromUtf16(std::u16string_view text);
// Bytes that form no character become U+FFFD.
std::u16string toUtf16(std::string_view text);

// Character positions (code points, as the logic counts them) against
// UTF-16 offsets (as the toolkits count them); a surrogate pair is one
// character. Both stop at the text's end.
int utf16Offset(std::u16string_view text, int characters);
int characterIndex(std::u16string_view text, int utf16Offset);

}  // namespace varnsel::platform
