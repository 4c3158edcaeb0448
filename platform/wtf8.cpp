#include "platform/wtf8.hpp"

#include <algorithm>

#include "platform/utf8.hpp"

namespace varnsel::platform {

namespace {

bool isHigh(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::string fromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, c);  // a lone surrogate keeps its own three bytes
        }
    }
    return out;
}

std::u16string toUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Utf8Char c = decodeUtf8(text);
        text.remove_prefix(c.length);
        if (c.code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c.code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c.code);  // lone surrogates included
        }
    }
    return out;
}

namespace {

int unitsAt(std::u16string_view text, std::size_t at) {
    return isHigh(text[at]) && at + 1 < text.size() && isLow(text[at + 1]) ? 2 : 1;
}

}  // namespace

int utf16Offset(std::u16string_view text, int characters) {
    std::size_t at = 0;
    for (int n = 0; n < characters && at < text.size(); ++n)
        at += static_cast<std::size_t>(unitsAt(text, at));
    return static_cast<int>(at);
}

int characterIndex(std::u16string_view text, int utf16Offset) {
    int count = 0;
    for (std::size_t at = 0;
         at < static_cast<std::size_t>(std::max(utf16Offset, 0)) && at < text.size(); ++count) {
        at += static_cast<std::size_t>(unitsAt(text, at));
    }
    return count;
}

}  // namespace varnsel::platform
