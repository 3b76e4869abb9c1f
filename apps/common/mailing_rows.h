#pragma once

#include "csv_reader.h"

#include <QString>

#include <vector>

namespace mailpiece {

/// One mail piece made from a CSV address row, ready for TavLabel.
struct MailingPiece {
    qsizetype line = 0;     // where the row starts in the CSV file
    QString substituteText; // Item1^…|…|Item7^…| — one item a line of the composed address
    QString zip;            // the bar code value
};

/// The address columns a mailing file may have; matched case-insensitively, missing ones empty.
inline const QStringList kAddressColumns = {
    QStringLiteral("First"),   QStringLiteral("Middle"),       QStringLiteral("Last"),
    QStringLiteral("Address"), QStringLiteral("AddressLine2"), QStringLiteral("City"),
    QStringLiteral("State"),   QStringLiteral("Zip")};

/// Composes each row's address block (as TavAddressCls does) into a piece. Rows whose values
/// hold "|" or "^", which a substitution list cannot carry, are added to `problems` instead.
std::vector<MailingPiece> addressPieces(const CsvTable& table, std::vector<CsvProblem>& problems);

} // namespace mailpiece
