// The game list as a model over the names' bytes kept one after another in
// one buffer, with a row of offset and length each: no object per entry, so
// a folder of 100 000 games costs little more than its names. Names are kept
// as the exact bytes they came with; only the display decodes them.
#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform::qt {

class GameListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // While collecting, names wait unsorted and are sorted once when
    // collecting ends; otherwise each goes into its sorted place at once.
    void beginCollecting() { collecting_ = true; }
    void endCollecting();
    void add(std::string_view name);

    int count() const { return static_cast<int>(rows_.size()); }
    std::string name(int row) const {
        return std::string(view(rows_.at(static_cast<std::size_t>(row))));
    }

private:
    struct Row {
        std::uint32_t at, length;  // in names_
    };
    std::string_view view(Row row) const { return {names_.data() + row.at, row.length}; }
    Row store(std::string_view name);

    std::string names_;      // every name's bytes, one after another
    std::vector<Row> rows_;  // in list order
    std::vector<Row> pending_;
    bool collecting_ = false;
};

}  // namespace varnsel::platform::qt
