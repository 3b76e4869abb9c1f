#include "piece_maker.h"

#include "tav_address_cls.h"

#include <QSet>

#include <algorithm>

namespace tav {

namespace {

// A substitution list cannot carry its own separators.
bool carriable(const QStringList& fields) {
    return std::none_of(fields.begin(), fields.end(), [](const QString& field) {
        return field.contains(QLatin1Char('|')) || field.contains(QLatin1Char('^'));
    });
}

QString field(const MailingRow& row, qsizetype column) {
    return column < 0 ? QString() : row.fields.value(column).trimmed();
}

} // namespace

qsizetype columnIndex(const QStringList& header, const QString& name) {
    const auto found = std::find_if(header.cbegin(), header.cend(), [&](const QString& column) {
        return column.trimmed().compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == header.cend() ? -1 : found - header.cbegin();
}

PieceMaker::PieceMaker(const QStringList& header, Mode mode, const QString& zipColumn)
    : header_(header)
    , mode_(mode) {
    for (const QString& name : kAddressColumns)
        addressColumns_.push_back(columnIndex(header, name));
    zip_ = mode == Mode::Address ? addressColumns_.back()
           : zipColumn.isEmpty() ? -1
                                 : columnIndex(header, zipColumn);
}

std::optional<MailingPiece> PieceMaker::make(const MailingRow& row,
                                             std::vector<MailingProblem>& problems) const {
    if (!carriable(row.fields)) {
        problems.push_back({row.number, QStringLiteral("a value holds \"|\" or \"^\", which "
                                                       "separate the items of a piece")});
        return std::nullopt;
    }
    return MailingPiece{row.number, mode_ == Mode::Address ? addressTexts(row) : columnsTexts(row),
                        field(row, zip_)};
}

void PieceMaker::fillAddress(const MailingRow& row, TavAddressCls& address) const {
    address.setFirst(field(row, addressColumns_[0]));
    address.setMiddle(field(row, addressColumns_[1]));
    address.setLast(field(row, addressColumns_[2]));
    address.setAddress(field(row, addressColumns_[3]));
    address.setAddressLine2(field(row, addressColumns_[4]));
    address.setCity(field(row, addressColumns_[5]));
    address.setState(field(row, addressColumns_[6]));
    address.setZip(field(row, addressColumns_[7]));
}

std::vector<std::pair<QString, QString>> PieceMaker::addressTexts(const MailingRow& row) const {
    TavAddressCls address;
    fillAddress(row, address);
    // Every item gets an entry, empty past the last line, so no placeholder is left showing.
    const QStringList lines = address.CurrentText().split(QStringLiteral("\r\n"));
    std::vector<std::pair<QString, QString>> texts;
    for (qsizetype i = 0; i < 7; ++i)
        texts.emplace_back(QStringLiteral("Item%1").arg(i + 1), lines.value(i));
    return texts;
}

std::vector<std::pair<QString, QString>> PieceMaker::columnsTexts(const MailingRow& row) const {
    std::vector<std::pair<QString, QString>> texts;
    QSet<QString> names;
    const auto add = [&](const QString& name, const QString& value) {
        if (!names.contains(name)) { // the first of a name is the one a template shows
            names.insert(name);
            texts.emplace_back(name, value);
        }
    };
    for (qsizetype k = 0; k < 7; ++k)
        add(QStringLiteral("Item%1").arg(k + 1), field(row, k));
    for (qsizetype c = 0; c < header_.size(); ++c) {
        const QString name = header_.at(c).trimmed();
        if (!name.isEmpty() && carriable({name}))
            add(name, field(row, c));
    }
    return texts;
}

} // namespace tav
