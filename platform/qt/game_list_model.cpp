#include "platform/qt/game_list_model.hpp"

#include <algorithm>

#include "platform/list_order.hpp"

namespace varnsel::platform::qt {

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const std::string_view n = view(rows_[static_cast<std::size_t>(index.row())]);
    // Bytes that are not UTF-8 show as replacement characters.
    return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
}

GameListModel::Row GameListModel::store(std::string_view name) {
    const Row row{static_cast<std::uint32_t>(names_.size()),
                  static_cast<std::uint32_t>(name.size())};
    names_ += name;
    return row;
}

void GameListModel::add(std::string_view name) {
    if (collecting_) {
        pending_.push_back(store(name));
        return;
    }
    const Row entry = store(name);
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), entry, [this](Row a, Row b) {
        return listsBefore(view(a), view(b));
    });
    const int row = static_cast<int>(at - rows_.begin());
    beginInsertRows({}, row, row);
    rows_.insert(at, entry);
    endInsertRows();
}

void GameListModel::endCollecting() {
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
    beginResetModel();
    rows_ = std::move(sorted);
    endResetModel();
}

}  // namespace varnsel::platform::qt
