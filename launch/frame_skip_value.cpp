#include "launch/frame_skip_value.hpp"

#include "platform/numeric.hpp"

namespace varnsel::launch {

bool isValidFrameSkip(std::string_view text) {
    if (!platform::isNumeric(text)) return false;
    // Compared as a double, so a value beyond any integer's range (999999,
    // 1e400) is simply out of range rather than an overflow.
    const double rounded = platform::roundHalfEven(platform::numericValue(text));
    return rounded >= 1.0 && rounded <= 4.0;
}

}  // namespace varnsel::launch
