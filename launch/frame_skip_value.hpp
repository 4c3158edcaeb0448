// The frame-skip value check: a number that rounds, halves to even, to 1..4.
#pragma once

#include <string_view>

namespace varnsel::launch {

bool isValidFrameSkip(std::string_view text);

}  // namespace varnsel::launch
