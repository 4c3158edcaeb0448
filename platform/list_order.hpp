// The order of the game list: without regard to letter case, and names that
// differ only in case in a fixed order by exact comparison, so the list reads
// the same on every backend and every run.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnsel::platform {

// Negative, zero or positive, as a comes before, equals or follows b.
int compareForList(std::string_view a, std::string_view b);

inline bool listsBefore(std::string_view a, std::string_view b) {
    return compareForList(a, b) < 0;
}

// The indexes of `names` in list order, exactly as compareForList orders
// them, but sorted the way a long list needs: each name is folded once into
// a key of bytes, and only names whose keys tie are compared in full.
std::vector<std::uint32_t> sortForList(const std::vector<std::string_view>& names);

}  // namespace varnsel::platform
