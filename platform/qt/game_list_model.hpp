// The game list as a Qt model over the engine's list store: names are kept as
// the exact bytes they came with; only the display decodes them.
#pragma once

#include <QAbstractListModel>
#include <string_view>

#include "platform/list_store.hpp"

namespace varnsel::platform::qt {

class GameListModel : public QAbstractListModel {
public:
    GameListModel(ListStore& store, QObject* parent) : QAbstractListModel(parent), store_(store) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Each name into its sorted place, or to wait while the store collects.
    void add(std::string_view name);
    // Ends the store's collecting: the waiting names in their sorted places.
    void settle();

    // The row a screen reader hears described, and how: the entry current when
    // the list took the focus tells where the list is; -1 for none.
    void describeRow(int row, const QString& description);

    int count() const { return store_.count(); }
    std::string name(int row) const { return std::string(store_.name(row)); }

private:
    ListStore& store_;
    int describedRow_ = -1;
    QString description_;
};

}  // namespace varnsel::platform::qt
