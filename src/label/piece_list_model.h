#pragma once

#include <QAbstractListModel>

#include <functional>

namespace tav {

/// The entries "Piece 1" .. "Piece n" of the label control's piece list, made as they are shown,
/// so that a list of any length costs nothing up front.
class PieceListModel : public QAbstractListModel {
    Q_OBJECT

public:
    /// A list whose length is whatever `count` says when the list is reset.
    explicit PieceListModel(std::function<qint32()> count, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    /// Takes the current count.
    void reset();

private:
    std::function<qint32()> count_;
    qint32 rows_ = 0;
};

} // namespace tav
