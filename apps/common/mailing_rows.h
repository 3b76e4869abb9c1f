#pragma once

#include "csv_reader.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace tav {
class TavAddressCls;
}

namespace mailpiece {

/// One mail piece made from a CSV row, ready for TavLabel.
struct MailingPiece {
    qsizetype line = 0;                             // where the row starts in the CSV file
    std::vector<std::pair<QString, QString>> texts; // name and value for the items' templates;
                                                    // each name once, the first one

    QString zip; // the bar code value
};

/// The address columns a mailing file may have; matched case-insensitively, missing ones empty.
inline const QStringList kAddressColumns = {
    QStringLiteral("First"),   QStringLiteral("Middle"),       QStringLiteral("Last"),
    QStringLiteral("Address"), QStringLiteral("AddressLine2"), QStringLiteral("City"),
    QStringLiteral("State"),   QStringLiteral("Zip")};

/// The index of the column named `name` (case-insensitive, surrounding blanks ignored), or -1.
qsizetype columnIndex(const QStringList& header, const QString& name);

/// Turns CSV rows into pieces, one row at a time.
class PieceMaker {
public:
    /// How a row becomes the substitution list.
    enum class Mode {
        /// The address block composed from the address columns (as TavAddressCls composes it),
        /// one line an item: Item1 .. Item7, empty past the last line.
        Address,
        /// Column k as "Itemk" (k up to 7) and every column under its own header name, so
        /// templates may say <<Item2>> or <<City>>.
        Columns
    };

    /// Rows with columns `header`; the bar code value comes from the column named `zipColumn`
    /// (none when empty or absent; in Address mode always the Zip column).
    PieceMaker(const QStringList& header, Mode mode, const QString& zipColumn);

    /// The header the rows come under.
    const QStringList& header() const { return header_; }
    /// The piece of `row`, or nothing (and a problem added) when a value holds "|" or "^",
    /// which a substitution list cannot carry.
    std::optional<MailingPiece> make(const CsvRow& row, std::vector<CsvProblem>& problems) const;
    /// Sets the eight name and address fields of `address` from the address columns of `row`.
    void fillAddress(const CsvRow& row, tav::TavAddressCls& address) const;

private:
    std::vector<std::pair<QString, QString>> addressTexts(const CsvRow& row) const;
    std::vector<std::pair<QString, QString>> columnsTexts(const CsvRow& row) const;

    QStringList header_;
    Mode mode_;
    std::vector<qsizetype> addressColumns_;
    qsizetype zip_;
};

} // namespace mailpiece
