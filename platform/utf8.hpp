// Text in the logic is UTF-8; this is the one place it is read and written,
// so the character count, the list's order, the UTF-16 conversions and the
// test engine agree on every byte sequence. A Windows name may hold a lone
// surrogate, which UTF-8 cannot spell: it is read and written in the
// generalized form (WTF-8), three bytes for one character, so every name the
// system gives comes back to it unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnsel::platform {

struct Utf8Char {
    char32_t code;       // U+FFFD for a byte that forms no character
    std::size_t length;  // bytes read, at least one
    bool valid;
};

// The character at the front of `text`, which is not empty. Overlong forms,
// values past U+10FFFF, truncated sequences and stray bytes are read a byte
// at a time, each an invalid character; so is a high surrogate written just
// before a low one, which the generalized form spells as one four-byte pair.
Utf8Char decodeUtf8(std::string_view text);

// Writes one code point, a lone surrogate included, in that generalized form,
// at `out`, which has room for four bytes; returns the end.
char* writeUtf8(char* out, char32_t c);
// The same, appended to `out`.
void appendUtf8(std::string& out, char32_t c);

// The number of characters, as decodeUtf8 reads them.
int characterCount(std::string_view utf8);

// The byte offset of the character at `index` (clamped to the text's end).
std::size_t byteOffset(std::string_view utf8, int index);

}  // namespace varnsel::platform
