#include "mailing_rows.h"

#include "mailing_problems.h"
#include "mailing_source.h"
#include "piece_maker.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <map>

namespace {

// The role that keeps the piece a row became, 0 for none.
constexpr int kPieceRole = Qt::UserRole + 1;

} // namespace

MailingRowsPanel::MailingRowsPanel(QWidget* parent)
    : QWidget(parent)
    , search_(new QLineEdit(this))
    , table_(new QTableView(this))
    , model_(new QStandardItemModel(this))
    , filter_(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("mailing_rows"));
    search_->setObjectName(QStringLiteral("rows_search"));
    search_->setPlaceholderText(QStringLiteral("Search the rows"));
    search_->setClearButtonEnabled(true);
    table_->setObjectName(QStringLiteral("rows_table"));
    filter_->setSourceModel(model_);
    filter_->setFilterKeyColumn(-1); // any column
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(search_);
    layout->addWidget(table_);
    connect(search_, &QLineEdit::textChanged, filter_,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const int piece = current.siblingAtColumn(0).data(kPieceRole).toInt();
                if (!quiet_ && piece > 0)
                    emit pieceChosen(piece);
            });
}

void MailingRowsPanel::showRows(tav::MailingSource& rows, const CollectedMessages& messages) {
    QMap<qint64, QStringList> said; // by row number
    QMap<qint64, bool> leftOut;
    for (const CollectedMessages::Entry& entry : messages.entries()) {
        said[entry.number] << entry.text;
        leftOut[entry.number] = leftOut.value(entry.number) || entry.leftOut;
    }
    model_->clear();
    rowOfPiece_.clear();
    QStringList header = {QStringLiteral("Row"), QStringLiteral("Piece"), QStringLiteral("Note")};
    header << rows.header();
    model_->setHorizontalHeaderLabels(header);
    // The rows read, and those the source itself refused (only their numbers are known), in
    // the mailing's order.
    std::map<qint64, QStringList> shown;
    tav::MailingRow row;
    while (rows.next(row))
        if (!tav::blankRow(row))
            shown[row.number] = row.fields;
    for (auto it = leftOut.cbegin(); it != leftOut.cend(); ++it)
        if (it.value() && it.key() > 0)
            shown.try_emplace(it.key());
    for (const auto& [number, fields] : shown) {
        const bool printed = !leftOut.value(number);
        QList<QStandardItem*> items;
        auto* first = new QStandardItem(QString::number(number));
        if (printed) {
            rowOfPiece_.push_back(model_->rowCount());
            first->setData(static_cast<int>(rowOfPiece_.size()), kPieceRole);
        }
        items << first
              << new QStandardItem(printed ? QString::number(rowOfPiece_.size()) : QString())
              << new QStandardItem((printed ? QString() : QStringLiteral("left out: ")) +
                                   said.value(number).join(QStringLiteral("; ")));
        for (const QString& field : fields)
            items << new QStandardItem(field);
        if (!printed || said.contains(number))
            for (QStandardItem* item : items)
                item->setBackground(printed ? QColor(0xff, 0xf4, 0xce) : QColor(0xf8, 0xd7, 0xd3));
        model_->appendRow(items);
    }
    table_->resizeColumnsToContents();
}

void MailingRowsPanel::showPiece(int piece) {
    if (piece < 1 || piece > static_cast<int>(rowOfPiece_.size()))
        return;
    const QModelIndex index =
        filter_->mapFromSource(model_->index(rowOfPiece_[static_cast<std::size_t>(piece - 1)], 0));
    if (!index.isValid())
        return;
    quiet_ = true;
    table_->setCurrentIndex(index);
    table_->scrollTo(index);
    quiet_ = false;
}
