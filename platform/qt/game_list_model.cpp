#include "platform/qt/game_list_model.hpp"

#include <algorithm>

#include "platform/list_order.hpp"

namespace varnsel::platform::qt {
namespace {

bool before(const std::string& a, const std::string& b) {
    return listsBefore(a, b);
}

}  // namespace

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const std::string& n = name(index.row());
    // Bytes that are not UTF-8 show as replacement characters.
    return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
}

void GameListModel::add(std::string_view name) {
    if (collecting_) {
        pending_.emplace_back(name);
        return;
    }
    const std::string entry(name);
    const auto at = std::upper_bound(names_.begin(), names_.end(), entry, before);
    const int row = static_cast<int>(at - names_.begin());
    beginInsertRows({}, row, row);
    names_.insert(at, entry);
    endInsertRows();
}

void GameListModel::endCollecting() {
    collecting_ = false;
    if (pending_.empty()) return;
    std::sort(pending_.begin(), pending_.end(), before);
    beginResetModel();
    const std::size_t middle = names_.size();
    names_.insert(names_.end(), std::make_move_iterator(pending_.begin()),
                  std::make_move_iterator(pending_.end()));
    std::inplace_merge(names_.begin(), names_.begin() + static_cast<std::ptrdiff_t>(middle),
                       names_.end(), before);
    endResetModel();
    pending_.clear();
    pending_.shrink_to_fit();
}

}  // namespace varnsel::platform::qt
