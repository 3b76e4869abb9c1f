#pragma once

#include <QString>

namespace mailpiece {

/// What a run reads, so that its output never replaces any of it.
struct RunInputs {
    QString mailing;  // a file, or "-" for standard input
    QString database; // a database connection (a file, "sqlite:FILE", "QSQLITE:FILE?...")
};

/// Raises tav::TavError (error 75) when `output` is, by any name (a link, another path), a file
/// the run reads: the mailing, the file standard input reads, the database's file, the shipped
/// or the user's piece catalogue.
void refuseOutputOverInputs(const QString& output, const RunInputs& inputs);

} // namespace mailpiece
