// The entries of a sorted list, as every engine keeps them: each name's exact
// bytes one after another in one buffer, with a row of offset and length
// each, in list order. No object per entry, so a folder of 100 000 games
// costs little more than its names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform {

class ListStore {
public:
    // While collecting, names wait unsorted and are sorted once when
    // collecting ends; otherwise each goes into its sorted place at once.
    void beginCollecting() { collecting_ = true; }
    void endCollecting();
    bool collecting() const { return collecting_; }
    // The row the name took, or nothing while collecting.
    std::optional<int> add(std::string_view name);
    // The row add() would give the name, were it not collecting.
    int placeOf(std::string_view name) const;

    int count() const { return static_cast<int>(rows_.size()); }
    std::string_view name(int row) const { return view(rows_.at(static_cast<std::size_t>(row))); }

private:
    struct Row {
        std::uint32_t at, length;  // in names_
    };
    std::string_view view(Row row) const { return {names_.data() + row.at, row.length}; }
    Row store(std::string_view name);

    std::string names_;  // every name's bytes, one after another
    std::vector<Row> rows_;
    std::vector<Row> pending_;
    bool collecting_ = false;
};

}  // namespace varnsel::platform
