#include "platform/list_order.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/utf8.hpp"

namespace varnsel::platform {
namespace {

// One character; a byte that forms none reads as itself plus 0x110000, so
// it sorts after every character and stays distinct.
char32_t next(std::string_view& s) {
    const Utf8Char c = decodeUtf8(s);
    const char32_t code = c.valid ? c.code : 0x110000 + static_cast<unsigned char>(s[0]);
    s.remove_prefix(c.length);
    return code;
}

// Simple case folding of the scripts a game folder is likely to be named in:
// Latin (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic.
char32_t fold(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0x80) return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        // Pairs of capital and small; the run 0x139-0x148 and 0x179-0x17E are
        // offset by one.
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        return oddPairs ? ((c % 2 == 1) ? c + 1 : c) : ((c % 2 == 0) ? c + 1 : c);
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

// The base letter of a Latin-1 letter, so that accented names sort beside
// their plain neighbours ("Élan" next to "elan"); other characters as folded.
char32_t base(char32_t folded) {
    static constexpr char32_t kLatin1[32] = {
        'a', 'a', 'a', 'a', 'a', 'a', 'a', 'c',  'e', 'e', 'e', 'e', 'i', 'i', 'i',  'i',
        'd', 'n', 'o', 'o', 'o', 'o', 'o', 0xF7, 'o', 'u', 'u', 'u', 'u', 'y', 0xFE, 'y'};
    return folded >= 0xE0 && folded <= 0xFF ? kLatin1[folded - 0xE0] : folded;
}

// Compares two texts character by character under `key`.
template <class Key>
int compareBy(std::string_view x, std::string_view y, Key key) {
    while (!x.empty() && !y.empty()) {
        const char32_t cx = key(next(x));
        const char32_t cy = key(next(y));
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    if (x.empty() != y.empty()) return x.empty() ? -1 : 1;
    return 0;
}

// A name's first level, the base letter of each folded character, as bytes
// whose order is the characters' order: each code point plus one (so no
// byte is zero, and a key that ends first sorts first) in UTF-8's pattern.
// Writes at most four bytes for each byte of the name; returns the end.
char* writeKey(std::string_view name, char* out) {
    while (!name.empty()) {
        const auto byte = static_cast<unsigned char>(name[0]);
        if (byte < 0x80) {  // most names: ASCII, folded in place
            *out++ = static_cast<char>((byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte) + 1);
            name.remove_prefix(1);
            continue;
        }
        out = writeUtf8(out, base(fold(next(name))) + 1);
    }
    return out;
}

}  // namespace

std::vector<std::uint32_t> sortForList(const std::vector<std::string_view>& names) {
    struct Entry {
        std::uint64_t head;  // the key's first eight bytes, big-endian, zero-padded
        std::uint32_t at, length, index;
    };
    std::size_t bytes = 0;
    for (std::string_view name : names) bytes += name.size();
    std::string keys;
    keys.reserve(bytes + bytes / 4 + 64);  // most names are ASCII: a byte each
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        const std::size_t at = keys.size();
        keys.resize(at + 4 * names[i].size());  // room for the longest key
        const char* const start = keys.data() + at;
        const auto length =
            static_cast<std::uint32_t>(writeKey(names[i], keys.data() + at) - start);
        keys.resize(at + length);
        std::uint64_t head = 0;
        for (std::uint32_t k = 0; k < 8; ++k)
            head = head << 8 | (k < length ? static_cast<unsigned char>(keys[at + k]) : 0u);
        entries.push_back({head, static_cast<std::uint32_t>(at), length, i});
    }
    const char* const data = keys.data();
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.head != b.head) return a.head < b.head;
        if (a.length > 8 || b.length > 8) {
            const std::uint32_t common = std::min(a.length, b.length);
            if (const int c = std::memcmp(data + a.at + 8, data + b.at + 8, common - 8))
                return c < 0;
            if (a.length != b.length) return a.length < b.length;
        }
        return compareForList(names[a.index], names[b.index]) < 0;  // the keys tie
    });
    std::vector<std::uint32_t> order;
    order.reserve(entries.size());
    for (const Entry& entry : entries) order.push_back(entry.index);
    return order;
}

int compareForList(std::string_view a, std::string_view b) {
    // Most names are ASCII: compare them folded byte by byte, and go through
    // the character levels only from the first byte beyond ASCII.
    std::size_t i = 0;
    const std::size_t common = std::min(a.size(), b.size());
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80) break;
        const int fx = x >= 'A' && x <= 'Z' ? x + 0x20 : x;
        const int fy = y >= 'A' && y <= 'Z' ? y + 0x20 : y;
        if (fx != fy) return fx < fy ? -1 : 1;
    }
    if (i == common && a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    if (i == common) return a.compare(b);
    // Equal so far without regard to case; the rest decides, then exact bytes.
    const std::string_view restA = a.substr(i);
    const std::string_view restB = b.substr(i);
    if (const int byBase = compareBy(restA, restB, [](char32_t c) { return base(fold(c)); }))
        return byBase;
    if (const int byFolded = compareBy(restA, restB, fold)) return byFolded;
    return a.compare(b);
}

}  // namespace varnsel::platform
