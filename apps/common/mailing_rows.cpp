#include "mailing_rows.h"

#include "tav_address_cls.h"

#include <algorithm>

namespace mailpiece {

std::vector<MailingPiece> addressPieces(const CsvTable& table, std::vector<CsvProblem>& problems) {
    std::vector<qsizetype> columnOf;
    for (const QString& name : kAddressColumns) {
        const auto found =
            std::find_if(table.header.cbegin(), table.header.cend(), [&](const QString& column) {
                return column.trimmed().compare(name, Qt::CaseInsensitive) == 0;
            });
        columnOf.push_back(found == table.header.cend() ? -1 : found - table.header.cbegin());
    }

    std::vector<MailingPiece> pieces;
    tav::TavAddressCls address;
    for (const CsvRow& row : table.rows) {
        const auto value = [&](int column) {
            const qsizetype at = columnOf[column];
            return at < 0 ? QString() : row.fields.at(at).trimmed();
        };
        bool carriable = true;
        for (const QString& field : row.fields)
            carriable =
                carriable && !field.contains(QLatin1Char('|')) && !field.contains(QLatin1Char('^'));
        if (!carriable) {
            problems.push_back({row.line, QStringLiteral("a value holds \"|\" or \"^\", which "
                                                         "separate the items of a piece")});
            continue;
        }
        address.Clear();
        address.setFirst(value(0));
        address.setMiddle(value(1));
        address.setLast(value(2));
        address.setAddress(value(3));
        address.setAddressLine2(value(4));
        address.setCity(value(5));
        address.setState(value(6));
        address.setZip(value(7));

        QString substitute;
        const QStringList lines = address.CurrentText().split(QStringLiteral("\r\n"));
        // Every item gets an entry, empty past the last line, so no placeholder is left showing.
        for (qsizetype i = 0; i < 7; ++i)
            substitute += QStringLiteral("Item%1^%2|").arg(i + 1).arg(lines.value(i));
        pieces.push_back({row.line, substitute, value(7)});
    }
    return pieces;
}

} // namespace mailpiece
