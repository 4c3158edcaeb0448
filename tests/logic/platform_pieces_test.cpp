// The toolkit-free pieces every backend shares: the argument split, the
// UTF-16 conversion, the character count and the event queue.
#include <gtest/gtest.h>

#include "platform/argv_split.hpp"
#include "platform/event_queue.hpp"
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
    void onEvent(ControlName control, EventKind kind, std::int16_t) override {
        seen.emplace_back(control);
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
