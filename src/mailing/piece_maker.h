#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace tav {

class TavAddressCls;

/// One mail piece made from a mailing's row, ready for a label control.
struct MAILPIECE_EXPORT MailingPiece {
    qint64 number = 0;                              // where the row starts in its source
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
MAILPIECE_EXPORT qsizetype columnIndex(const QStringList& header, const QString& name);

/// Turns a mailing's rows into pieces, one row at a time.
class MAILPIECE_EXPORT PieceMaker {
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
    std::optional<MailingPiece> make(const MailingRow& row,
                                     std::vector<MailingProblem>& problems) const;
    /// Sets the eight name and address fields of `address` from the address columns of `row`.
    void fillAddress(const MailingRow& row, TavAddressCls& address) const;

private:
    std::vector<std::pair<QString, QString>> addressTexts(const MailingRow& row) const;
    std::vector<std::pair<QString, QString>> columnsTexts(const MailingRow& row) const;

    QStringList header_;
    Mode mode_;
    std::vector<qsizetype> addressColumns_;
    qsizetype zip_;
};

} // namespace tav
