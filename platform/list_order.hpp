// The order of the game list: without regard to letter case, and names that
// differ only in case in a fixed order by exact comparison, so the list reads
// the same on every backend and every run.
#pragma once

#include <string_view>

namespace varnsel::platform {

// Negative, zero or positive, as a comes before, equals or follows b.
int compareForList(std::string_view a, std::string_view b);

inline bool listsBefore(std::string_view a, std::string_view b) {
    return compareForList(a, b) < 0;
}

}  // namespace varnsel::platform
