#pragma once

#include "address_columns.h"
#include "mailing_source.h"
#include "mailpiece_export.h"
#include "piece_texts.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace tav {

class TavAddressCls;

/// One mail piece made from a mailing's row, ready for a label control.
struct MAILPIECE_EXPORT MailingPiece {
    qint64 number = 0;     // where the row starts in its source
    PieceTexts texts;      // the values of the items' placeholders; each name once, the first one
    QString zip;           // the bar code value
    QString trackingCode;  // the Intelligent Mail barcode's; empty: the bar code record's
    QString postalProblem; // with the postal style, a rule the address breaks; "" when none
};

/// Whether every field of `row` is empty or blank (a spreadsheet's trailing ",,,,," rows).
MAILPIECE_EXPORT bool blankRow(const MailingRow& row);

/// The index of the column named `name` (case-insensitive, surrounding blanks ignored), or -1.
MAILPIECE_EXPORT qsizetype columnIndex(const QStringList& header, const QString& name);

/// Turns a mailing's rows into pieces, one row at a time.
class MAILPIECE_EXPORT PieceMaker {
public:
    /// How a row becomes the substitution list.
    enum class Mode {
        /// The address block composed from the address columns (AddressColumns: as TavAddressCls
        /// composes it, the organization under the name and a country other than the United
        /// States last; a line break in a cell starting a line of its own, empty lines left
        /// out), one line an item: Item1 .. ItemN, empty past the last line; lines past N go
        /// with ItemN.
        Address,
        /// Column k as "Itemk" (k up to 7) and every column under its own header name, so
        /// templates may say <<Item2>> or <<City>>.
        Columns
    };

    /// Rows with columns `header`; the bar code value comes from the column named `zipColumn`
    /// (none when empty or absent; in Address mode always the address's ZIP code column). An
    /// address is given at most `addressLines` items (1 to 7).
    PieceMaker(const QStringList& header, Mode mode, const QString& zipColumn,
               qsizetype addressLines = 7);

    /// Composes addresses as the post office reads them best (TavAddressCls::PostalStyle, an
    /// organization and a country in capitals too) and names a domestic address that breaks a
    /// rule it cannot mend in MailingPiece::postalProblem.
    void setPostalStyle(bool on) { postalStyle_ = on; }
    /// Lines printed above each address in Address mode, as `above` gives them for a row.
    void setLinesAbove(std::function<QStringList(const MailingRow& row)> above) {
        linesAbove_ = std::move(above);
    }
    /// The header the rows come under.
    const QStringList& header() const { return header_; }
    /// Whether the rows have a ZIP code column for the bar code.
    bool hasZip() const { return zip_ >= 0; }
    /// The piece of `row`; its values are kept as they are, whatever characters they hold.
    MailingPiece make(const MailingRow& row) const;
    /// Sets the eight name and address fields of `address` from the address columns of `row`.
    void fillAddress(const MailingRow& row, TavAddressCls& address) const;

private:
    QStringList addressLines(const MailingRow& row, bool& foreign) const;
    std::vector<std::pair<QString, QString>> addressTexts(QStringList lines) const;
    bool addOrganizationAndCountry(const MailingRow& row, QStringList& lines) const;
    QString styled(const QString& text) const;
    std::vector<std::pair<QString, QString>> columnsTexts(const MailingRow& row) const;

    QStringList header_;
    Mode mode_;
    qsizetype addressLines_;
    AddressColumns address_;
    qsizetype zip_;
    bool postalStyle_ = false;
    std::function<QStringList(const MailingRow& row)> linesAbove_;
};

} // namespace tav
