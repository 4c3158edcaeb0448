#include "platform/qt/game_list_model.hpp"

namespace varnsel::platform::qt {

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role == Qt::AccessibleDescriptionRole && index.row() == describedRow_) return description_;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const std::string_view n = store_.name(index.row());
    // Bytes that are not UTF-8 show as replacement characters.
    return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
}

void GameListModel::describeRow(int row, const QString& description) {
    describedRow_ = row;
    description_ = description;
}

void GameListModel::add(std::string_view name) {
    if (store_.collecting()) {  // it shows when the list settles
        store_.add(name);
        return;
    }
    const int row = store_.placeOf(name);
    beginInsertRows({}, row, row);
    store_.add(name);
    endInsertRows();
}

void GameListModel::settle() {
    beginResetModel();
    store_.endCollecting();
    endResetModel();
}

}  // namespace varnsel::platform::qt
