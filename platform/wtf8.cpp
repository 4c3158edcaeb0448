#include "platform/wtf8.hpp"

#include <algorithm>

namespace varnsel::platform {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                             : lead >= 0xE0                 ? 3
                             : lead >= 0xC2 && lead < 0xE0  ? 2
                                                            : 0;
        if (lead >= 0xF5) length = 0;
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) valid = (byte(i + k) & 0xC0) == 0x80;
        char32_t c = 0xFFFD;
        if (valid) {
            c = length == 1 ? lead : lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
            const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
            if (c < least[length] || c > 0x10FFFF) valid = false;
        }
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);  // lone surrogates included
        }
        i += length;
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
