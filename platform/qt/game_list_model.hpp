// The game list as a model over one sorted array of names: no item object per
// entry, so a folder of 100 000 games costs little more than its names.
// Names are kept as the exact bytes they came with; only the display decodes.
#pragma once

#include <QAbstractListModel>
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

    int count() const { return static_cast<int>(names_.size()); }
    const std::string& name(int row) const { return names_.at(static_cast<std::size_t>(row)); }

private:
    std::vector<std::string> names_;
    std::vector<std::string> pending_;
    bool collecting_ = false;
};

}  // namespace varnsel::platform::qt
