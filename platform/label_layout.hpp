// How a label lays out its text, the same on every backend: lines break only
// at blanks (and at a line break in the text), a word wider than the label
// stays whole on its line and is clipped at the label's edge, and only the
// lines that fit whole in the label's height are drawn.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform {

struct LabelLayout {
    std::vector<std::string_view> lines;  // the lines drawn, top to bottom
    bool cut = false;                     // some of the text is not shown
};

// The width in pixels of a piece of the text, as drawn in the label's font.
using MeasureText = std::function<int(std::string_view)>;

// The first line is drawn even in a label lower than one line.
LabelLayout layOutLabel(std::string_view text, int width, int height, int lineHeight,
                        const MeasureText& measure);

// Where a line of `lineWidth` starts in a label `width` wide: at the left, or
// centred; a line too wide keeps its start in view, centred or not.
constexpr int lineLeft(int width, int lineWidth, bool centred) {
    return centred && lineWidth < width ? (width - lineWidth) / 2 : 0;
}

// The whole text in lines no wider than `width`, joined by line breaks: broken
// at blanks where it can be, and a word wider than that between its
// characters. For a tooltip, which must show all of a label's text on the
// screen.
std::string wrapToWidth(std::string_view text, int width, const MeasureText& measure);

}  // namespace varnsel::platform
