#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tav {

/// One record of a mailing: its fields in the order of the header, and where it starts (a line
/// of a text file, a row of a query's result; 1-based).
struct MAILPIECE_EXPORT MailingRow {
    qint64 number = 0;
    QStringList fields;
};

/// A record that cannot be used, and why.
struct MAILPIECE_EXPORT MailingProblem {
    qint64 number = 0;
    QString message;
};

/// Where a mailing's rows come from: named columns and records read one at a time, so a mailing
/// of any length needs no more memory than its longest record. Records that cannot be used are
/// left out and reported; the others are kept.
class MAILPIECE_EXPORT MailingSource {
public:
    virtual ~MailingSource();

    /// The column names; empty when the source has no usable header (a problem says why).
    virtual const QStringList& header() const = 0;
    /// Reads the next usable record into `row`; false at the end.
    virtual bool next(MailingRow& row) = 0;
    /// What a record's number counts, for messages: "line" or "row".
    virtual QString numberName() const = 0;

    /// The records left out since the last call, in the order they were met.
    std::vector<MailingProblem> takeProblems();
    /// Remarks on the whole source so far (how a file was decoded), each said once.
    const QStringList& warnings() const { return warnings_; }

protected:
    void leaveOut(qint64 number, const QString& why) { problems_.push_back({number, why}); }
    void warn(const QString& remark);
    /// Takes over the problems and remarks of `inner`, a source this one reads through.
    void takeOverFrom(MailingSource& inner);

private:
    std::vector<MailingProblem> problems_;
    QStringList warnings_;
};

} // namespace tav
