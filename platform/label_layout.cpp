#include "platform/label_layout.hpp"

#include <algorithm>

namespace varnsel::platform {
namespace {

std::string_view trimBlanksAtEnd(std::string_view line) {
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// Fills lines greedily with words; the blanks where a line breaks vanish.
void breakParagraph(std::string_view paragraph, int width, const MeasureText& measure,
                    std::vector<std::string_view>& lines) {
    std::size_t start = 0;
    std::size_t end = 0;  // the line so far is paragraph[start, end)
    while (end < paragraph.size()) {
        const std::size_t wordStart = paragraph.find_first_not_of(' ', end);
        if (wordStart == std::string_view::npos) break;
        std::size_t wordEnd = paragraph.find(' ', wordStart);
        if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
        const bool empty = trimBlanksAtEnd(paragraph.substr(start, end - start)).empty();
        if (!empty && measure(paragraph.substr(start, wordEnd - start)) > width) {
            lines.push_back(trimBlanksAtEnd(paragraph.substr(start, end - start)));
            start = wordStart;
        }
        end = wordEnd;
    }
    lines.push_back(trimBlanksAtEnd(paragraph.substr(start, end - start)));
}

}  // namespace

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
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t newline = text.find('\n', at);
        breakParagraph(text.substr(at, newline - at), width, measure, lines);
        if (newline == std::string_view::npos) break;
        at = newline + 1;
    }
    const std::size_t fitting =
        std::max<std::size_t>(1, static_cast<std::size_t>(height / std::max(1, lineHeight)));
    layout.cut = lines.size() > fitting;
    lines.resize(std::min(lines.size(), fitting));
    for (std::string_view line : lines) layout.cut = layout.cut || measure(line) > width;
    layout.lines = std::move(lines);
    return layout;
}

}  // namespace varnsel::platform
