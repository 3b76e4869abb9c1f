#pragma once

#include "mailing_source.h"

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
    qint64 line = 0;                                // where the row starts in its source
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
    /// Whether the rows have a ZIP code column for the bar code.
    bool hasZip() const { return zip_ >= 0; }
    /// The piece of `row`, or nothing (and a problem added) when a value holds "|" or "^",
    /// which a substitution list cannot carry.
    std::optional<MailingPiece> make(const tav::MailingRow& row,
                                     std::vector<tav::MailingProblem>& problems) const;
    /// Sets the eight name and address fields of `address` from the address columns of `row`.
    void fillAddress(const tav::MailingRow& row, tav::TavAddressCls& address) const;

private:
    std::vector<std::pair<QString, QString>> addressTexts(const tav::MailingRow& row) const;
    std::vector<std::pair<QString, QString>> columnsTexts(const tav::MailingRow& row) const;

    QStringList header_;
    Mode mode_;
    std::vector<qsizetype> addressColumns_;
    qsizetype zip_;
};

} // namespace mailpiece
