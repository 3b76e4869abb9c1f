#include "piece_list_model.h"

namespace tav {

PieceListModel::PieceListModel(std::function<qint32()> count, QObject* parent)
    : QAbstractListModel(parent)
    , count_(std::move(count)) {
}

int PieceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant PieceListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    return QStringLiteral("Piece %1").arg(index.row() + 1);
}

void PieceListModel::reset() {
    beginResetModel();
    rows_ = count_();
    endResetModel();
}

} // namespace tav
