// The toolkit-free pieces every backend shares: the argument split, the
// UTF-16 conversion, the character count, the list's sort and the event queue.
#include <gtest/gtest.h>

#include "platform/argv_split.hpp"
#include "app/form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/list_order.hpp"
#include "platform/text.hpp"
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

TEST(Utf16, EveryWindowsNameComesBackUnchanged) {
    const std::u16string names[] = {u"kof98", u"\u00C9lan", u"\U0001F3AE games",
                                    std::u16string(1, u'\xD800'),
                                    std::u16string{u'a', u'\xDC00', u'b'}};
    for (const std::u16string& name : names) EXPECT_TRUE(toUtf16(fromUtf16(name)) == name);
    EXPECT_EQ(fromUtf16(u"\u00C9"), "\xC3\x89");
}

TEST(Utf16, BytesThatFormNoCharacterBecomeReplacementCharacters) {
    EXPECT_TRUE(toUtf16("a\xFF"
                        "b") == u"a\uFFFDb");
    EXPECT_TRUE(toUtf16("\xC0\xAF") == u"\uFFFD\uFFFD");  // an overlong "/"
    EXPECT_TRUE(toUtf16("\xE2\x82") == u"\uFFFD\uFFFD");  // cut short
}

TEST(Utf16, CharacterPositionsCountASurrogatePairAsOne) {
    const std::u16string text = u"a\U0001F3AEb";  // a, a game controller, b
    EXPECT_EQ(utf16Offset(text, 2), 3);
    EXPECT_EQ(utf16Offset(text, 9), 4);  // stops at the end
    EXPECT_EQ(characterIndex(text, 3), 2);
    EXPECT_EQ(characterIndex(std::u16string(1, u'\xD800') + u"x", 2), 2);  // a lone half is one
}

TEST(CharacterCount, CountsCharactersAndEachStrayByteOnce) {
    EXPECT_EQ(characterCount(""), 0);
    EXPECT_EQ(characterCount("2.5"), 3);
    EXPECT_EQ(characterCount("\xC3\xA9\xF0\x9F\x8E\xAE"), 2);
    EXPECT_EQ(characterCount("a\xFF\x80"), 3);
}

struct Log : FormHandler {
    std::vector<std::string> seen;
    EventQueue* queue = nullptr;
    void onEvent(ControlId control, EventKind kind, std::int16_t) override {
        seen.emplace_back(form::nameOf(control));
        // A handler that raises another event does not run it inside itself.
        if (kind == EventKind::Click) {
            queue->add(form::id("txtFrameSkip"), EventKind::GotFocus);
            queue->deliver(*this);
            seen.emplace_back("click done");
        }
    }
};

TEST(EventQueue, OneEventAtATimeInOrder) {
    EventQueue queue;
    Log log;
    log.queue = &queue;
    queue.add(form::id("chkFrameSkip"), EventKind::Click);
    queue.deliver(log);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"chkFrameSkip", "click done", "txtFrameSkip"}));
}

TEST(EventQueue, AWaitingTickIsNotQueuedTwiceAndNothingRunsAfterTheEnd) {
    EventQueue queue;
    EXPECT_TRUE(queue.add(form::id("Timer1"), EventKind::Timer));
    EXPECT_FALSE(queue.add(form::id("Timer1"), EventKind::Timer));
    EXPECT_TRUE(queue.add(form::id("Timer2"), EventKind::Timer));
    queue.end();
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(queue.add(form::id("cmdPlay"), EventKind::Click));
}

}  // namespace
}  // namespace varnsel::platform
