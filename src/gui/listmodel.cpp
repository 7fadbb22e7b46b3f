#include "gui/listmodel.h"

#include "gui/codepage.h"

namespace tessaro {

ObservedListModel::ObservedListModel(std::function<int()> rowCount,
                                     std::function<std::string(int)> rowText, QObject* parent)
    : QAbstractListModel(parent), m_rowCount(std::move(rowCount)), m_rowText(std::move(rowText)) {}

int ObservedListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount();
}

QVariant ObservedListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return fromBytes(m_rowText(index.row()));
    return {};
}

void ObservedListModel::rowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, first, last);
}

void ObservedListModel::rowsInserted(int, int) {
    endInsertRows();
}

void ObservedListModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, first, last);
}

void ObservedListModel::rowsRemoved(int, int) {
    endRemoveRows();
}

void ObservedListModel::rowsChanged(int first, int last) {
    Q_EMIT dataChanged(index(first), index(last), {Qt::DisplayRole, Qt::ToolTipRole});
}

void ObservedListModel::listAboutToBeReset() {
    beginResetModel();
}

void ObservedListModel::listReset() {
    endResetModel();
}

} // namespace tessaro
