#include "mailing_problems.h"

#include "counted.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

void CollectedMessages::add(Entry entry) {
    const QString key =
        QStringLiteral("%1|%2|%3").arg(entry.number).arg(entry.leftOut).arg(entry.text);
    if (seen_.contains(key))
        return;
    seen_.insert(key);
    entries_.push_back(std::move(entry));
}

MailingProblemsDialog::MailingProblemsDialog(const QString& mailing,
                                             const CollectedMessages& messages, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("MailingProblemsDialog"));
    setWindowTitle(QStringLiteral("Mailing Problems"));
    qsizetype leftOut = 0;
    for (const auto& entry : messages.entries())
        leftOut += entry.leftOut;
    auto* summary = new QLabel(
        QStringLiteral("%1: %2 left out, %3")
            .arg(mailing, mailpiece::counted(leftOut, "row", "rows"),
                 mailpiece::counted(static_cast<qsizetype>(messages.entries().size()) - leftOut,
                                    "warning", "warnings")),
        this);
    summary->setObjectName(QStringLiteral("summary"));

    auto* table = new QTableWidget(static_cast<int>(messages.entries().size()), 3, this);
    table->setObjectName(QStringLiteral("problems"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Row"), QStringLiteral("Kind"), QStringLiteral("Reason")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    int row = 0;
    for (const auto& entry : messages.entries()) {
        table->setItem(row, 0,
                       new QTableWidgetItem(entry.number > 0 ? QString::number(entry.number)
                                                             : QStringLiteral("whole file")));
        table->setItem(row, 1,
                       new QTableWidgetItem(entry.leftOut ? QStringLiteral("left out")
                                                          : QStringLiteral("warning")));
        table->setItem(row, 2, new QTableWidgetItem(entry.text));
        ++row;
    }
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(720, 360);
}
