#include "platform/text.hpp"

namespace varnsel::platform {
namespace {

// The length of the valid UTF-8 sequence at the front of `s`, or 0.
std::size_t sequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;
    if (lead == 0xED && byte(1) > 0x9F) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;
    if (lead == 0xF4 && byte(1) > 0x8F) return 0;
    return length;
}

}  // namespace

int characterCount(std::string_view utf8) {
    int count = 0;
    while (!utf8.empty()) {
        const std::size_t length = sequenceLength(utf8);
        utf8.remove_prefix(length == 0 ? 1 : length);
        ++count;
    }
    return count;
}

}  // namespace varnsel::platform
