// The toolkit-free pieces every backend shares: the argument split, the
// UTF-16 conversion, the character count, the list's sort, a label's layout
// and the event queue.
#include <gtest/gtest.h>

#include "form/window_definition.hpp"
#include "platform/argv_split.hpp"
#include "platform/event_queue.hpp"
#include "platform/face_colour.hpp"
#include "platform/label_layout.hpp"
#include "platform/list_order.hpp"
#include "platform/list_store.hpp"
#include "platform/utf8.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::platform {
namespace {

using Argv = std::vector<std::string>;

TEST(ArgumentSplit, TheProgramThenTheRestByTheWindowsRules) {
    EXPECT_EQ(splitCommandLine("/g/Neorage.exe", "/g/Neorage.exe kof98       "),
              (Argv{"/g/Neorage.exe", "kof98"}));
    EXPECT_EQ(splitCommandLine("/g/Neorage.exe", "/g/Neorage.exe  -s"),
              (Argv{"/g/Neorage.exe", "-s"}));
    EXPECT_EQ(
        splitCommandLine("/My Games/Neorage.exe", "\"/My Games/Neorage.exe\" \"Metal Slug\" -f2"),
        (Argv{"/My Games/Neorage.exe", "Metal Slug", "-f2"}));
    // Tabs separate too; quotes group and vanish; newlines and single quotes
    // are ordinary characters.
    EXPECT_EQ(splitCommandLine("/p", "/p a\tb\"c d\"e\nf 'g'"),
              (Argv{"/p", "a", "bc de\nf", "'g'"}));
    // Backslashes: literal unless before a quote; 2n give n and the quote
    // acts, 2n+1 give n and a literal quote.
    EXPECT_EQ(splitCommandLine("/p", "/p a\\b c\\\\\"d e\" f\\\\\\\"g \"h\\\\\""),
              (Argv{"/p", "a\\b", "c\\d e", "f\\\"g", "h\\"}));
    EXPECT_EQ(splitCommandLine("/p", "/p"), (Argv{"/p"}));
}

TEST(ListOrder, TheSortOfALongListIsTheOrderOfEveryPair) {
    // Names that meet every level of the order: case, accents, Greek and
    // Cyrillic, bytes that are no UTF-8, long shared prefixes, prefixes of
    // each other; then a few thousand made at random from those pieces.
    std::vector<std::string> names{"zeta",
                                   "Alpha",
                                   "alpha",
                                   "ALPHA",
                                   "beta",
                                   "\xC3\x89lan",
                                   "elan",
                                   "Elan",
                                   "\xCE\x91\xCE\xB2",
                                   "\xD0\x96uk",
                                   "bad\xFF",
                                   "bad",
                                   "Game 1234 deluxe",
                                   "game 1234 deluxe!",
                                   "Game 12345",
                                   "\xE2\x82",
                                   "a\xC0\xAF",
                                   "ab",
                                   "AB"};
    const char* pieces[] = {"a",        "A",        "b", "\xC3\xA9", "\xC3\x89",
                            "e",        "E",        " ", "9",        "\xFF",
                            "\xCE\xB1", "\xD0\x96", "z", "Game ",    "\xF0\x9F\x8E\xAE"};
    std::uint32_t seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        for (int k = 0, n = 1 + static_cast<int>(seed % 7); k < n; ++k) {
            seed = seed * 1103515245 + 12345;
            name += pieces[(seed >> 16) % std::size(pieces)];
        }
        names.push_back(name);
    }
    const std::vector<std::string_view> views(names.begin(), names.end());
    std::vector<std::string> sorted;
    for (const std::uint32_t i : sortForList(views)) sorted.push_back(names[i]);
    std::vector<std::string> expected = names;
    std::sort(expected.begin(), expected.end(), listsBefore);
    EXPECT_EQ(sorted, expected);
}

TEST(ListOrder, CaseIsFoldedAtTheAlphabetsEndAndAfterALetterBeyondAscii) {
    // "Z" is the last capital; "Éz" and "éZ" differ only in case after a
    // letter beyond ASCII; "èz" differs from "Éz" in its accent too, which
    // decides before case does.
    const std::vector<std::string> names{"zz",        "Zulu", "yak",       "ABC", "\xC3\xA9Z",
                                         "\xC3\xA8z", "ez",   "\xC3\x89z", "Ez"};
    const std::vector<std::string> expected{"ABC",       "Ez",  "ez",   "\xC3\xA8z", "\xC3\x89z",
                                            "\xC3\xA9Z", "yak", "Zulu", "zz"};
    const std::vector<std::string_view> views(names.begin(), names.end());
    std::vector<std::string> sorted;
    for (const std::uint32_t i : sortForList(views)) sorted.push_back(names[i]);
    EXPECT_EQ(sorted, expected);
    std::vector<std::string> compared = names;
    std::sort(compared.begin(), compared.end(), listsBefore);
    EXPECT_EQ(compared, expected);
}

TEST(Utf16, EveryWindowsNameComesBackUnchanged) {
    // Each side of every boundary of UTF-8's lengths and of the surrogates.
    const std::u16string names[] = {u"kof98",
                                    u"\u00C9lan",
                                    u"\U0001F3AE games",
                                    u"\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF",
                                    u"\U00010000\U0010FFFF",
                                    std::u16string(1, u'\xD800'),
                                    std::u16string{u'a', u'\xDC00', u'b'}};
    for (const std::u16string& name : names) EXPECT_TRUE(toUtf16(fromUtf16(name)) == name);
    EXPECT_EQ(fromUtf16(u"\u00C9"), "\xC3\x89");
}

TEST(Utf16, CharacterPositionsCountASurrogatePairAsOne) {
    const std::u16string text = u"a\U0001F3AEb";  // a, a game controller, b
    EXPECT_EQ(utf16Offset(text, 2), 3);
    EXPECT_EQ(utf16Offset(text, 9), 4);  // stops at the end
    EXPECT_EQ(characterIndex(text, 3), 2);
    EXPECT_EQ(characterIndex(std::u16string(1, u'\xD800') + u"x", 2), 2);  // a lone half is one
}

// Tricky byte sequences and the characters they hold (U+FFFD for each byte
// that forms none). Every reader of UTF-8 must see the same characters.
struct Sequence {
    std::string bytes;
    std::u32string characters;
};
const Sequence kSequences[] = {
    {"", U""},
    {"2.5", U"2.5"},
    {"\xC3\xA9\xF0\x9F\x8E\xAE", U"\u00E9\U0001F3AE"},              // two bytes, four bytes
    {"\x7F\xC2\x80\xDF\xBF", U"\u007F\u0080\u07FF"},                // the edges of one and two
    {"\xE0\xA0\x80\xEF\xBF\xBF", U"\u0800\uFFFF"},                  // of three
    {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", U"\U00010000\U0010FFFF"},  // of four
    {"\xED\xA0\x80", U"\xD800"},                                    // a lone high surrogate
    {"x\xED\xB0\x80", U"x\xDC00"},                                  // a lone low one
    {"\xED\xA0\x80\xED\xB0\x80", U"\uFFFD\uFFFD\uFFFD\xDC00"},      // a pair written apart
    {"\xE0\x80\x80", U"\uFFFD\uFFFD\uFFFD"},                        // overlong
    {"\xC0\xAF", U"\uFFFD\uFFFD"},                                  // an overlong "/"
    {"\xE2\x82z", U"\uFFFD\uFFFDz"},                                // cut short
    {"a\xFF\x80", U"a\uFFFD\uFFFD"},                                // stray bytes
    {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},              // past U+10FFFF
    {"\xF5\x80", U"\uFFFD\uFFFD"},                                  // a lead no sequence has
};

std::u16string utf16Of(const std::u32string& characters) {
    std::u16string units;
    for (const char32_t c : characters) {
        if (c < 0x10000) {
            units += static_cast<char16_t>(c);
        } else {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return units;
}

TEST(Utf8, EveryReaderSeesTheSameCharactersInTrickySequences) {
    std::vector<std::string_view> names;
    for (const Sequence& s : kSequences) {
        const auto n = static_cast<int>(s.characters.size());
        std::u32string decoded;
        for (std::string_view rest = s.bytes; !rest.empty();) {
            const Utf8Char c = decodeUtf8(rest);
            decoded += c.code;
            rest.remove_prefix(c.length);
        }
        EXPECT_TRUE(decoded == s.characters) << testing::PrintToString(s.bytes);
        EXPECT_EQ(characterCount(s.bytes), n) << testing::PrintToString(s.bytes);
        EXPECT_EQ(byteOffset(s.bytes, n), s.bytes.size()) << testing::PrintToString(s.bytes);
        const std::u16string units = toUtf16(s.bytes);
        EXPECT_TRUE(units == utf16Of(s.characters)) << testing::PrintToString(s.bytes);
        EXPECT_EQ(characterIndex(units, static_cast<int>(units.size())), n)
            << testing::PrintToString(s.bytes);
        if (s.characters.find(U'\uFFFD') == std::u32string::npos) {
            EXPECT_EQ(fromUtf16(units), s.bytes);  // what the system gave comes back to it
        }
        names.push_back(s.bytes);
    }
    // The list's sort, which reads each name once into a key, orders them as
    // its comparison does.
    const std::vector<std::uint32_t> order = sortForList(names);
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(compareForList(names[order[i - 1]], names[order[i]]), 0) << i;
}

// A label 90 pixels wide and two lines of 10 high, in a face of 10 pixels a byte.
struct Laid {
    std::string text;
    int height;
    std::vector<std::string_view> lines;
    bool cut;
};
const Laid kLayouts[] = {
    {"aaaa bbbb", 20, {"aaaa bbbb"}, false},         // fills the width exactly
    {"aaaa bbbb c", 20, {"aaaa bbbb", "c"}, false},  // wraps into the lines that fit
    {"aaaa bbbb c d", 19, {"aaaa bbbb"}, true},      // the second line does not fit
    {"aaaa bbbb c", 5, {"aaaa bbbb"}, true},         // the first even in a label lower
    {"aaaa bbbb cccc dddd e", 20, {"aaaa bbbb", "cccc dddd"}, true},
    {"C:\\Games\\Neo", 20, {"C:\\Games\\Neo"}, true},           // one word wider than the label
    {"ab C:\\Games\\Neo", 20, {"ab", "C:\\Games\\Neo"}, true},  // on a line of its own
    {"ab\ncd", 20, {"ab", "cd"}, false},                        // a line break in the text
    {"", 20, {}, false},
};

TEST(LabelLayout, BreaksAtBlanksAndDrawsTheLinesThatFit) {
    const MeasureText tenAByte = [](std::string_view piece) {
        return 10 * static_cast<int>(piece.size());
    };
    for (const Laid& laid : kLayouts) {
        const LabelLayout layout = layOutLabel(laid.text, 90, laid.height, 10, tenAByte);
        EXPECT_EQ(layout.lines, laid.lines) << laid.text;
        EXPECT_EQ(layout.cut, laid.cut) << laid.text;
    }
}

TEST(FaceColour, APicturesOldFaceShowsInTodaysAndNothingElseChanges) {
    constexpr Rgb dark{0, 0, 0};
    EXPECT_EQ(shownOn(dark, kFaceOfItsDay), dark);
    EXPECT_EQ(shownOn(dark, Rgb{192, 192, 193}), (Rgb{192, 192, 193}));
}

TEST(LabelLayout, ACentredLineKeepsItsStartInViewWhenTooWide) {
    EXPECT_EQ(lineLeft(100, 40, true), 30);
    EXPECT_EQ(lineLeft(100, 40, false), 0);
    EXPECT_EQ(lineLeft(100, 140, true), 0);
}

TEST(LabelLayout, ATooltipWrapsTheWholeTextAtBlanksElseBetweenCharacters) {
    const MeasureText tenAByte = [](std::string_view piece) {
        return 10 * static_cast<int>(piece.size());
    };
    const std::pair<const char*, const char*> wrapped[] = {
        {"aaaa bbbb", "aaaa bbbb"},
        {"aaaa bbbb cc", "aaaa bbbb\ncc"},
        {"AAAAAAAAAAAAAAAAAAAAA", "AAAAAAAAA\nAAAAAAAAA\nAAA"},
        {"ab AAAAAAAAAAAA", "ab\nAAAAAAAAA\nAAA"},
        {"\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89",
         "\xC3\x89\xC3\x89\xC3\x89\xC3\x89\n\xC3\x89"},  // whole characters
    };
    for (const auto& [text, lines] : wrapped) EXPECT_EQ(wrapToWidth(text, 90, tenAByte), lines);
    // Characters each wider than the width: one a line, and the wrap ends.
    EXPECT_EQ(wrapToWidth("ab c", 5, tenAByte), "a\nb\nc");
}

// Names added while collecting wait, unlisted, to be sorted once; after that
// each takes its sorted place at once, and says which.
TEST(ListStore, CollectsThenSortsOnceThenPlacesEachName) {
    ListStore list;
    list.beginCollecting();
    EXPECT_EQ(list.add("beta"), std::nullopt);
    EXPECT_EQ(list.add("Alpha"), std::nullopt);
    EXPECT_EQ(list.count(), 0);
    list.endCollecting();
    EXPECT_EQ(list.add("Gamma"), 2);
    EXPECT_EQ(list.add("alpha"), 1);  // equal without case: after "Alpha", by exact order
    const std::vector<std::string_view> names{list.name(0), list.name(1), list.name(2),
                                              list.name(3)};
    EXPECT_EQ(names, (std::vector<std::string_view>{"Alpha", "alpha", "beta", "Gamma"}));
}

struct Log : FormHandler {
    std::vector<std::string> seen;
    EventQueue* queue = nullptr;
    void onEvent(ControlId control, EventKind kind, std::int16_t) override {
        seen.emplace_back(form::nameOf(control));
        // A handler that raises another event does not run it inside itself.
        if (kind == EventKind::Click) {
            queue->add("txtFrameSkip", EventKind::GotFocus);
            queue->deliver(*this);
            seen.emplace_back("click done");
        }
    }
};

TEST(EventQueue, OneEventAtATimeInOrder) {
    EventQueue queue;
    Log log;
    log.queue = &queue;
    queue.add("chkFrameSkip", EventKind::Click);
    queue.deliver(log);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"chkFrameSkip", "click done", "txtFrameSkip"}));
}

TEST(EventQueue, AWaitingTickIsNotQueuedTwiceAndNothingRunsAfterTheEnd) {
    EventQueue queue;
    EXPECT_TRUE(queue.add("Timer1", EventKind::Timer));
    EXPECT_FALSE(queue.add("Timer1", EventKind::Timer));
    EXPECT_TRUE(queue.add("Timer2", EventKind::Timer));
    queue.end();
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(queue.add("cmdPlay", EventKind::Click));
}

}  // namespace
}  // namespace varnsel::platform
