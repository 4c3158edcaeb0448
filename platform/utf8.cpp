#include "platform/utf8.hpp"

namespace varnsel::platform {
namespace {

constexpr Utf8Char kInvalid{0xFFFD, 1, false};

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The sequence at the front, checked for its form but not for what follows.
Utf8Char decodeOne(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1, true};
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) return kInvalid;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return kInvalid;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF) return kInvalid;
    return {code, length, true};
}

}  // namespace

Utf8Char decodeUtf8(std::string_view text) {
    const Utf8Char c = decodeOne(text);
    if (c.valid && isHighSurrogate(c.code) && text.size() > 3) {
        const Utf8Char next = decodeOne(text.substr(3));
        if (next.valid && next.code >= 0xDC00 && next.code <= 0xDFFF) return kInvalid;
    }
    return c;
}

char* writeUtf8(char* out, char32_t c) {
    const auto put = [&out](unsigned value) { *out++ = static_cast<char>(value); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(writeUtf8(bytes, c) - bytes));
}

int characterCount(std::string_view utf8) {
    int count = 0;
    for (; !utf8.empty(); ++count) utf8.remove_prefix(decodeUtf8(utf8).length);
    return count;
}

std::size_t byteOffset(std::string_view utf8, int index) {
    std::size_t at = 0;
    for (int i = 0; i < index && at < utf8.size(); ++i) at += decodeUtf8(utf8.substr(at)).length;
    return at;
}

}  // namespace varnsel::platform
