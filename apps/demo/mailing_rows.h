#pragma once

#include <QWidget>

#include <vector>

class CollectedMessages;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tav {
class MailingSource;
} // namespace tav

/// The mailing's rows beside the pieces: the columns as read, each row left out or warned of
/// marked with why, a search field, the current piece's row selected, a click on a row stepping
/// to its piece.
class MailingRowsPanel : public QWidget {
    Q_OBJECT

public:
    explicit MailingRowsPanel(QWidget* parent = nullptr);

    /// Shows every row of `rows` with what `messages` said of it; the rows that became pieces
    /// are the ones neither left out nor blank, in order.
    void showRows(tav::MailingSource& rows, const CollectedMessages& messages);
    /// Selects the row of piece `piece` (1-based), quietly.
    void showPiece(int piece);

signals:
    /// The user chose the row of piece `piece`.
    void pieceChosen(int piece);

private:
    QLineEdit* search_;
    QTableView* table_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* filter_;
    std::vector<int> rowOfPiece_; // model row of each piece, from piece 1
    bool quiet_ = false;
};
