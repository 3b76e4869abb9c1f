#pragma once

#include "program_feed.h"

#include <QDialog>
#include <QSet>

#include <vector>

/// The messages of a feed, kept for the problems dialog; the same message twice (labels and
/// envelopes read the same rows) is kept once.
class CollectedMessages : public mailpiece::FeedMessages {
public:
    struct Entry {
        qint64 number = 0;
        bool leftOut = false;
        QString text;
    };

    void leftOut(qint64 number, const QString& why) override { add({number, true, why}); }
    void warning(qint64 number, const QString& what) override { add({number, false, what}); }
    QString place(qint64 number) const override { return QStringLiteral("row %1").arg(number); }

    const std::vector<Entry>& entries() const { return entries_; }

private:
    void add(Entry entry);

    std::vector<Entry> entries_;
    QSet<QString> seen_;
};

/// Lists a mailing's rows left out and its warnings, each with its row and reason.
class MailingProblemsDialog : public QDialog {
    Q_OBJECT

public:
    MailingProblemsDialog(const QString& mailing, const CollectedMessages& messages,
                          QWidget* parent = nullptr);
};
