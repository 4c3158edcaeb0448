#include "platform/list_store.hpp"

#include <algorithm>

#include "platform/list_order.hpp"

namespace varnsel::platform {

ListStore::Row ListStore::store(std::string_view name) {
    const Row row{static_cast<std::uint32_t>(names_.size()),
                  static_cast<std::uint32_t>(name.size())};
    names_ += name;
    return row;
}

std::optional<int> ListStore::add(std::string_view name) {
    if (collecting_) {
        pending_.push_back(store(name));
        return std::nullopt;
    }
    const int row = placeOf(name);
    rows_.insert(rows_.begin() + row, store(name));
    return row;
}

int ListStore::placeOf(std::string_view name) const {
    const auto at =
        std::upper_bound(rows_.begin(), rows_.end(), name,
                         [this](std::string_view n, Row r) { return listsBefore(n, view(r)); });
    return static_cast<int>(at - rows_.begin());
}

void ListStore::endCollecting() {
    collecting_ = false;
    if (pending_.empty()) return;
    rows_.insert(rows_.end(), pending_.begin(), pending_.end());
    pending_.clear();
    pending_.shrink_to_fit();
    std::vector<std::string_view> names;
    names.reserve(rows_.size());
    for (const Row row : rows_) names.push_back(view(row));
    const std::vector<std::uint32_t> order = sortForList(names);
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const std::uint32_t i : order) sorted.push_back(rows_[i]);
    rows_ = std::move(sorted);
}

}  // namespace varnsel::platform
