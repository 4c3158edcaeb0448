#include "platform/label_layout.hpp"

#include <algorithm>

#include "platform/utf8.hpp"

namespace varnsel::platform {
namespace {

// Fills lines greedily with words; the blanks where a line breaks vanish, as
// a line ends where its last word does.
void breakParagraph(std::string_view paragraph, int width, const MeasureText& measure,
                    std::vector<std::string_view>& lines) {
    std::size_t start = 0;
    std::size_t end = 0;  // the line so far is paragraph[start, end)
    while (end < paragraph.size()) {
        const std::size_t wordStart = paragraph.find_first_not_of(' ', end);
        if (wordStart == std::string_view::npos) break;
        std::size_t wordEnd = paragraph.find(' ', wordStart);
        if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
        const bool empty = end == start;  // no word on the line yet
        if (!empty && measure(paragraph.substr(start, wordEnd - start)) > width) {
            lines.push_back(paragraph.substr(start, end - start));
            start = wordStart;
        }
        end = wordEnd;
    }
    lines.push_back(paragraph.substr(start, end - start));
}

// The paragraph's lines, at blanks as a label breaks them.
std::vector<std::string_view> paragraphLines(std::string_view text, int width,
                                             const MeasureText& measure) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t newline = text.find('\n', at);
        breakParagraph(text.substr(at, newline - at), width, measure, lines);
        if (newline == std::string_view::npos) return lines;
        at = newline + 1;
    }
}

// The bytes of the longest run of whole characters at the front of `word`
// that fits `width`, one character at the least, and the whole word where it
// fits. Searched by doubling, then halving, so a long word costs few and
// short measurements.
std::size_t fittingPrefix(std::string_view word, int width, const MeasureText& measure) {
    const auto fits = [&](int characters) {
        return measure(word.substr(0, byteOffset(word, characters))) <= width;
    };
    int good = 1;
    int bad = 2;
    while (byteOffset(word, bad - 1) < word.size() && fits(bad)) {
        good = bad;
        bad *= 2;
    }
    while (bad - good > 1) {
        const int middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return byteOffset(word, good);
}

}  // namespace

std::string wrapToWidth(std::string_view text, int width, const MeasureText& measure) {
    std::string wrapped;
    for (std::string_view line : paragraphLines(text, width, measure)) {
        // A line still too wide holds one word wider than the width: it is
        // cut piece by piece, never measured whole again.
        if (measure(line) > width) {
            for (std::size_t fit; (fit = fittingPrefix(line, width, measure)) < line.size();) {
                wrapped.append(line.substr(0, fit)).push_back('\n');
                line.remove_prefix(fit);
            }
        }
        wrapped.append(line).push_back('\n');
    }
    if (!wrapped.empty()) wrapped.pop_back();
    return wrapped;
}

LabelLayout layOutLabel(std::string_view text, int width, int height, int lineHeight,
                        const MeasureText& measure) {
    LabelLayout layout;
    if (text.empty()) return layout;
    // Most captions fit on their one line: measured once, laid out at once.
    const int whole = text.find('\n') == std::string_view::npos ? measure(text) : width + 1;
    if (whole <= width) {
        layout.lines.push_back(text);
        return layout;
    }
    std::vector<std::string_view> lines = paragraphLines(text, width, measure);
    const std::size_t fitting =
        std::max<std::size_t>(1, static_cast<std::size_t>(height / std::max(1, lineHeight)));
    layout.cut = lines.size() > fitting;
    lines.resize(std::min(lines.size(), fitting));
    for (std::string_view line : lines) layout.cut = layout.cut || measure(line) > width;
    layout.lines = std::move(lines);
    return layout;
}

}  // namespace varnsel::platform
